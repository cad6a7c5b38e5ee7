#include "IndexSemaphore.h"

#include "ByteRangeLock.h"

#include "DbfLayout.h"
#include "EngineError.h"
#include "TablePaths.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace vell3::tables {

namespace {

// Waits this long for the table's index byte and the semaphore record.
constexpr auto kLockWait = std::chrono::milliseconds(10000);
constexpr uint64_t kSemaphoreLockOffset = 1;
constexpr uint64_t kSemaphoreLockLength = 4;
constexpr size_t kRecordSize = 4;

} // namespace

std::string IndexSemaphore::FileNameFor(const std::string& tablePath) {
    return ReplaceExtension(tablePath, "@S@");
}

void IndexSemaphore::Login(PosixFile& table, const std::string& tablePath) {
    Change(table, tablePath, 1, "LOGIN");
}

void IndexSemaphore::Logout(PosixFile& table, const std::string& tablePath) {
    Change(table, tablePath, -1, "LOGOUT");
}

void IndexSemaphore::Change(PosixFile& table, const std::string& tablePath, int delta,
                            const char* action) {
    const std::string name = FileNameFor(tablePath);
    // A table opened read-only cannot hold a write lock; its read lock still
    // keeps out a program that takes the byte for writing, and the lock on
    // the semaphore record below orders the counting itself.
    const ByteRangeLock tableLock(table, layout::kIndexLockOffset, 1, table.Writable(), kLockWait);
    if (!tableLock.Held()) {
        RaiseEngineError(1202, "Cannot lock database for: " + name + " Action=" + action +
                                   " [Database Semaphore]");
    }

    PosixFile semaphore;
    if (!semaphore.Open(name, PosixFile::Access::ReadWrite)) {
        const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
        }
        if (!semaphore.Open(name, PosixFile::Access::ReadWrite)) {
            RaiseEngineError(1202, "Cannot open/create: " + name + " " + action);
        }
    }
    ByteRangeLock semaphoreLock(semaphore, kSemaphoreLockOffset, kSemaphoreLockLength, true,
                                kLockWait);
    if (!semaphoreLock.Held()) {
        RaiseEngineError(1202, "10 second timeout: Cannot lock index semaphore file: " + name +
                                   " " + action +
                                   "\r\nPossible cause: Network lock limit exceeded" +
                                   " Lock result code: " + std::to_string(errno));
    }
    unsigned char record[kRecordSize] = {};
    semaphore.ReadAt(0, record, kRecordSize);
    int count = record[0] + delta;
    if (count < 0) {
        count = 0;
    }
    record[0] = static_cast<unsigned char>(count > 255 ? 255 : count);
    if (count == 0) {
        ::unlink(name.c_str());
    } else if (!semaphore.WriteAt(0, record, kRecordSize)) {
        RaiseEngineError(1202, "Cannot open/create: " + name + " " + action);
    }
}

} // namespace vell3::tables
