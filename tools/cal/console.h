#pragma once

#include <string>

// Prepares standard output for UTF-8 text. Returns true when it is a terminal that understands
// ANSI attributes (reverse video for today); false for files, pipes and plain consoles.
bool PrepareConsole();

// Standard output as plain bytes: the dump ends its lines with LF on every system, so dumps from
// the Windows and the native build compare equal.
void UseBinaryOutput();

// The user's documents folder as UTF-8: the shell's on Windows, $HOME/Documents elsewhere (where Wine
// puts it too). "" when it is not known.
std::string DocumentsFolder();

// Command-line argument `index` as UTF-8, whatever the system's code page (Windows hands `argv` over
// in its ANSI code page, which cannot name every folder).
std::string Utf8Argument(char** argv, int index);
