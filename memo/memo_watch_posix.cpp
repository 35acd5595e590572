#include "memo/memo_watch.h"

// No notifications here: the caller's stamp checks do the work (the native build only tests the rules).
struct FolderWatch::Folder {};

FolderWatch::FolderWatch() = default;
FolderWatch::~FolderWatch() = default;

bool FolderWatch::Start(const std::vector<std::string>&) {
    return false;
}

bool FolderWatch::Changed() {
    return false;
}

bool FolderWatch::Active() const {
    return false;
}
