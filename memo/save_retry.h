// When a file step may simply be tried again. Other programs open files in the documents folder for a
// moment all the time (antivirus, the search indexer, backup and sync clients); while one holds a memo
// file, replacing it fails. Such failures pass: the step is retried a few times with growing waits,
// the shape SQLite's Windows layer uses (10 retries, 25 ms × (n + 1), about 1.4 s in all). Everything
// else fails at once. Each back end maps its own error codes to a FileFault.
#pragma once

#include <cstdint>
#include <functional>

enum class FileFault {
    None,
    Missing,  // the file or its folder is not there
    ReadOnly, // read-only file, no permission, read-only medium: refused at once
    Busy,     // another program holds the file: access denied, sharing or lock violation
    Network,  // a network drive hiccup: device gone, network name deleted, semaphore time-out, unreachable
    Offline,  // a cloud placeholder whose provider is not running or cannot reach its files: unreadable,
              // never empty, and nothing to wait for
    Other,
};

// Busy and Network faults may pass by themselves.
bool IsTransient(FileFault fault);

// Windows' GetLastError values, and POSIX errno values, as faults.
FileFault FaultFromWin32(uint32_t error);
FileFault FaultFromErrno(int error);

struct RetryPolicy {
    int retries;     // further tries after the first
    int firstWaitMs; // the wait before retry n (0-based) is firstWaitMs × (n + 1)
};
// The dialogs' saves and the last save at the end of the program.
constexpr RetryPolicy kRideOutHolds{10, 25};
// The notepad's saves while the user types: nothing may wait on the window's thread.
constexpr RetryPolicy kOneAttempt{0, 0};

// The retry budget of one file operation (all its steps share it).
//   SaveRetry retry(policy);
//   while (!Step() && retry.Again(FaultOfTheStep())) {}
class SaveRetry {
public:
    using Sleeper = std::function<void(int milliseconds)>;
    explicit SaveRetry(const RetryPolicy& policy, Sleeper sleep = nullptr);

    // After a failed step: true, having waited, when the fault may pass and tries remain.
    bool Again(FileFault fault);
    // The fault Again last saw.
    FileFault last() const { return lastFault; }

private:
    RetryPolicy policy;
    Sleeper sleep;
    int used = 0;
    FileFault lastFault = FileFault::None;
};
