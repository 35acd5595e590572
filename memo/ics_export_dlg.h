// The month grid's right-click menu. "导出记事（iCalendar）…": the standard Save As dialog asks where to
// (我的记事.ics in the documents folder to begin with), and the memo folder goes there as lunoria-cal
// --export-ics writes it, through the crash-safe write of the memo files. When it could not be written,
// one message box says so. "设置…" goes to the calendar window as its command (IDM_SETTINGS).
#pragma once

#include <windows.h>

#include <string>

// Shows the menu at `screenPoint` over `owner` (the grid) and runs the command when it is chosen.
// `memoRoot` is the "我的记事" folder.
void RunMemoExportMenu(HWND owner, POINT screenPoint, const std::string& memoRoot);
