#pragma once

// Strict parsers for the command line: the whole text must match, no signs, no blanks.

// Decimal number of at most 9 digits.
bool ParseNumber(const char* text, int& value);

// YYYY-MM-DD naming a real Gregorian date.
bool ParseIsoDate(const char* text, int& year, int& month, int& day);
