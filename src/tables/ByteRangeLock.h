#pragma once

#include "PosixFile.h"

#include <chrono>
#include <cstdint>

namespace vell3::tables {

// A byte-range lock of one open file held for the life of the object, so that
// it is released however the operation that took it ends.
class ByteRangeLock {
public:
    // Takes the lock with one attempt; Held() tells whether it was obtained.
    ByteRangeLock(PosixFile& file, uint64_t offset, uint64_t length, bool exclusive = true);
    // Takes the lock, trying again for up to `wait`.
    ByteRangeLock(PosixFile& file, uint64_t offset, uint64_t length, bool exclusive,
                  std::chrono::milliseconds wait);
    ~ByteRangeLock();
    ByteRangeLock(const ByteRangeLock&) = delete;
    ByteRangeLock& operator=(const ByteRangeLock&) = delete;

    bool Held() const { return held_; }
    explicit operator bool() const { return held_; }
    // Releases the lock now; returns false when the system refused the unlock.
    bool Release();

private:
    PosixFile& file_;
    uint64_t offset_;
    uint64_t length_;
    bool held_ = false;
};

} // namespace vell3::tables
