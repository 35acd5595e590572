#include "memo/save_retry.h"

#include <cerrno>
#include <chrono>
#include <thread>
#include <utility>

namespace {

// Windows error codes (winerror.h), spelt out here: this rule builds everywhere.
enum : uint32_t {
    kFileNotFound = 2,
    kPathNotFound = 3,
    kAccessDenied = 5,
    kWriteProtect = 19,
    kSharingViolation = 32,
    kLockViolation = 33,
    kDevNotExist = 55,
    kNetnameDeleted = 64,
    kSemTimeout = 121,
    kNetworkUnreachable = 1231,
    // The cloud files range: ERROR_CLOUD_FILE_SYNC_ROOT_METADATA_CORRUPT (358) to
    // ERROR_CLOUD_FILE_PROVIDER_TERMINATED (404), with ERROR_CLOUD_FILE_PROVIDER_NOT_RUNNING (362),
    // ERROR_CLOUD_FILE_NOT_IN_SYNC (377) and ERROR_CLOUD_FILE_NETWORK_UNAVAILABLE (388) among them.
    kCloudFirst = 358,
    kCloudInUse = 391,
    kCloudLast = 404,
};

} // namespace

bool IsTransient(FileFault fault) {
    return fault == FileFault::Busy || fault == FileFault::Network;
}

FileFault FaultFromWin32(uint32_t error) {
    switch (error) {
    case 0: return FileFault::None;
    case kFileNotFound:
    case kPathNotFound: return FileFault::Missing;
    // Access denied is also what a held file's replace gives (and all Wine gives); a file that is
    // read-only by attribute is refused before any step is tried.
    case kAccessDenied:
    case kSharingViolation:
    case kLockViolation:
    case kCloudInUse: return FileFault::Busy;
    case kWriteProtect: return FileFault::ReadOnly;
    case kDevNotExist:
    case kNetnameDeleted:
    case kSemTimeout:
    case kNetworkUnreachable: return FileFault::Network;
    default: return error >= kCloudFirst && error <= kCloudLast ? FileFault::Offline : FileFault::Other;
    }
}

// POSIX files are not held the Windows way: permission errors are final here. Only a busy file (a
// network share served by Windows, a mandatory lock) or a network hiccup may pass.
FileFault FaultFromErrno(int error) {
    switch (error) {
    case 0: return FileFault::None;
    case ENOENT:
    case ENOTDIR: return FileFault::Missing;
    case EACCES:
    case EPERM:
    case EROFS: return FileFault::ReadOnly;
    case EBUSY:
    case ETXTBSY:
    case EAGAIN: return FileFault::Busy;
    case ENETDOWN:
    case ENETUNREACH:
    case ETIMEDOUT: return FileFault::Network;
    default: return FileFault::Other;
    }
}

SaveRetry::SaveRetry(const RetryPolicy& p, Sleeper s) : policy(p), sleep(std::move(s)) {
    if (!sleep) sleep = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
}

bool SaveRetry::Again(FileFault fault) {
    lastFault = fault;
    if (!IsTransient(fault) || used >= policy.retries) return false;
    sleep(policy.firstWaitMs * (used + 1));
    ++used;
    return true;
}
