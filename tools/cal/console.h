#pragma once

// Prepares standard output for UTF-8 text. Returns true when it is a terminal that understands
// ANSI attributes (reverse video for today); false for files, pipes and plain consoles.
bool PrepareConsole();

// Standard output as plain bytes: the dump ends its lines with LF on every system, so dumps from
// the Windows and the native build compare equal.
void UseBinaryOutput();
