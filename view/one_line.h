// A memo's text on one line, for the screen reader and the reminder.
#pragma once

#include <string>

// `cp936` as UTF-8, its line breaks (with `foldTabs`, its tabs too) made blanks: never two in a row
// nor one at the start; blanks at the end are dropped.
std::string MemoOneLine(const std::string& cp936, bool foldTabs = false);
