#pragma once

class MonthGrid;

// Runs the weekly reminder ("每周提示") modally over the grid for the grid's weeklyColumn: the note kept
// for that weekday and its colour. "确定" stores it through the grid (and stays open, telling the user
// why, when it cannot); "取消", Esc and the close box change nothing. True when the note was stored.
bool RunWeeklyNoteDlg(MonthGrid& grid);
