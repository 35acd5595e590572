#include "tools/cal/console.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

bool PrepareConsole() {
    if (!isatty(STDOUT_FILENO) || std::getenv("NO_COLOR")) return false;
    const char* term = std::getenv("TERM");
    return term && *term && std::strcmp(term, "dumb") != 0;
}

void UseBinaryOutput() {}

std::string DocumentsFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? std::string(home) + "/Documents" : std::string();
}

std::string Utf8Argument(char** argv, int index) {
    return argv[index];
}
