#include "ByteRangeLock.h"

#include "LockRetry.h"

namespace vell3::tables {

ByteRangeLock::ByteRangeLock(PosixFile& file, uint64_t offset, uint64_t length, bool exclusive)
    : file_(file), offset_(offset), length_(length),
      held_(file.TryLock(offset, length, exclusive)) {}

ByteRangeLock::ByteRangeLock(PosixFile& file, uint64_t offset, uint64_t length, bool exclusive,
                             std::chrono::milliseconds wait)
    : file_(file), offset_(offset), length_(length) {
    held_ =
        RetryFor(wait, kLockRetryPause, [&] { return file_.TryLock(offset_, length_, exclusive); });
}

ByteRangeLock::~ByteRangeLock() {
    Release();
}

bool ByteRangeLock::Release() {
    if (!held_) {
        return true;
    }
    held_ = false;
    return file_.Unlock(offset_, length_);
}

} // namespace vell3::tables
