#pragma once

class MonthGrid;

// Runs the day memo editor ("输入记事") modally over the grid for the grid's hotDay: the day's one-time,
// yearly solar and yearly lunar memos with their colours. "确定" stores all three through the grid and
// closes; when a memo cannot be stored the user is told why and the editor stays open with the texts
// as typed. "取消", Esc and the close box change nothing. True when the memos were stored.
bool RunMemoEditDlg(MonthGrid& grid);
