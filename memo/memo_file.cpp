#include "memo/memo_file.h"

// A fixed name per target: a temporary file left by a crash is simply overwritten by the next write.
std::string TempPathFor(const std::string& path) {
    return path + ".tmp";
}
