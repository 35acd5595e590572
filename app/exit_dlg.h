#pragma once
#include <windows.h>

// The question behind the main window's "x": end the program, uninstall (end it and take it out
// of the programs started at log-on), or go back to the calendar.
enum ExitChoice { kKeepRunning = 0, kEndProgram = 1, kUninstall = 2 };

// Runs the exit dialog modally over `owner` and returns the user's choice. Esc and the close box
// give kKeepRunning.
int RunExitDlg(HWND owner);

// Whether msg is the registered message "Lunoria_end_program" that setup and uninstall send the
// running calendar: it ends as "结束程序" does and answers 1, or answers 0 while a dialog of it is open.
bool IsEndProgramMessage(UINT msg);

// Moves a dialog of the calendar beside its owner (PlaceBeside), on the owner's monitor.
void PlaceBesideOwner(HWND dialog, int dpi);
