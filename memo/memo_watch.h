// Tells the calendar when something in its memo folders may have changed (another computer's memo
// synced in, a conflict copy, our own write). Windows: ReadDirectoryChangesW on each folder, overlapped,
// looked at without waiting on the clock tick, so an idle calendar does no work for it. A folder that
// gives no notifications (some network shares and cloud providers, or no back end at all) makes
// Active() false: the caller then looks at the shown files' stamps on the tick itself.
//
// What changed is not told: the caller compares the files' stamps and bytes with what it read or
// wrote last, which also passes over our own writes.
#pragma once

#include <memory>
#include <string>
#include <vector>

class FolderWatch {
public:
    FolderWatch();
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Watches these folders (not their subfolders) from now on: true when every one gives notifications.
    bool Start(const std::vector<std::string>& folders);
    // Without waiting: true when a change came since the last call, or notifications were lost (a full
    // buffer, a failed read): then everything must be looked at again.
    bool Changed();
    // Every folder gives notifications.
    bool Active() const;

private:
    struct Folder;
    std::vector<std::unique_ptr<Folder>> folders;
};
