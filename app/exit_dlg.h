#pragma once
#include <windows.h>

// The question behind the main window's "x": end the program, uninstall (end it and take it out
// of the programs started at log-on), or go back to the calendar.
enum ExitChoice { kKeepRunning = 0, kEndProgram = 1, kUninstall = 2 };

// Runs the exit dialog modally over `owner` and returns the user's choice. Esc and the close box
// give kKeepRunning.
int RunExitDlg(HWND owner);
