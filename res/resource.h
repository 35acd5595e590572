// Resource ids of the program: dialog templates, their controls, and the controls the windows create
// at run time (in pixels) beside the template's own. Shared by lunoria.rc and the C++ code.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Program icon.
#define IDI_PROGRAM 128

// Dialog templates.
#define IDD_MAIN 102         // main calendar window (AlmanacDlg)
#define IDD_EXIT 139         // "提示": end the program or uninstall
#define IDD_MEMO_EDIT 242    // "输入记事": the three memos of a day
#define IDD_HOVER_TIP 243    // hover tip popup
#define IDD_NOTEPAD 255      // "记事小本" notepad
#define IDD_NOTE_TAB 256     // "本" tab
#define IDD_CALENDAR_TAB 257 // "历" tab
#define IDD_WEEKLY_NOTE 258  // "每周提示": the note of a weekday
#define IDD_SETTINGS 260     // "设置"

// Main window (102): template controls.
#define IDC_MINIMIZE 1000 // "-"
#define IDC_EXIT 1001     // "x"
#define IDC_YEAR_LIST 1034
#define IDC_MONTH_LIST 1035
// Main window: created at run time.
#define IDC_TODAY_LINK 105 // "返回"
#define IDC_GRID 107
#define IDC_PREV_LINK 1044 // "上月"
#define IDC_NEXT_LINK 1045 // "下月"
#define IDC_HEADLINE_LINK 1053
#define IDC_MORE_LINK 1054 // "下一篇"

// Exit dialog (139).
#define IDC_END_PROGRAM 1000 // "结束程序"
#define IDC_UNINSTALL 1025   // "卸载"

// Day memo editor (242): template controls.
#define IDC_ONE_TIME_EDIT 1029
#define IDC_SOLAR_EDIT 1030
#define IDC_LUNAR_EDIT 1031
// Day memo editor: created at run time.
#define IDC_DATE_LINE 1032
#define IDC_SOLAR_CAPTION 1038
#define IDC_LUNAR_CAPTION 1039
#define IDC_ONE_TIME_SWATCH 1049
#define IDC_SOLAR_SWATCH 1050
#define IDC_LUNAR_SWATCH 1051

// Notepad (255).
#define IDC_PAGE_EDIT 1047
#define IDC_HIDE_NOTEPAD 1048 // "-"

// Tabs (256, 257): the one button.
#define IDC_TAB_BUTTON 1000

// Weekly reminder (258).
#define IDC_NOTE_EDIT 1049
#define IDC_NOTE_SWATCH 1056 // created at run time

// Settings (260).
#define IDC_AUTOSTART 1101
#define IDC_TRAY_ICON 1102
#define IDC_SHOW_HOLIDAYS 1103
#define IDC_UPDATE_HOLIDAYS 1104
#define IDC_UPDATE_NOW 1105    // "立即更新"
#define IDC_HOLIDAY_YEARS 1106 // the years the calendar holds
#define IDC_THEME_SYSTEM 1107  // 跟随系统, then 浅色 and 深色 (1108, 1109)
#define IDC_THEME_LIGHT 1108
#define IDC_THEME_DARK 1109
#define IDC_REMIND_DAYS 1110
#define IDC_MEMO_FOLDER 1111
#define IDC_OPEN_FOLDER 1112 // "打开"
#define IDC_HEADLINE_HOST 1113
#define IDC_HEADLINE_PORT 1114

// Commands that menus (the grid's, the notification-area icon's) send to the calendar window.
#define IDM_UPDATE_HOLIDAYS 40001 // "更新节假日" (handled by the holidays code)
#define IDM_SETTINGS 40002        // "设置…" (opens the settings dialog)
