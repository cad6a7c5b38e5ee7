#pragma once

#include <cstdint>
#include <string>

namespace vell3::tables {

// One open file descriptor, closed with the object. Reads and writes are
// positioned; every call reports failure through its result and leaves errno
// set, so the caller can turn it into the engine error its routine names.
class PosixFile {
public:
    enum class Access { ReadOnly, ReadWrite };

    PosixFile() = default;
    ~PosixFile();
    PosixFile(PosixFile&& other) noexcept;
    PosixFile& operator=(PosixFile&& other) noexcept;
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    // Opens an existing file.
    bool Open(const std::string& path, Access access);
    // Creates the file, replacing one of that name.
    bool Create(const std::string& path);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    bool Writable() const { return access_ == Access::ReadWrite; }

    // Reads up to size bytes; returns how many were read (short at the end of
    // the file), or -1 on failure.
    int64_t ReadAt(uint64_t offset, void* buffer, size_t size) const;
    // Writes all bytes or fails.
    bool WriteAt(uint64_t offset, const void* buffer, size_t size);
    // The current size, or -1 on failure.
    int64_t Size() const;
    bool Truncate(uint64_t size);
    bool Sync();

    // Open-file-description byte-range locks: they belong to this open file,
    // not to the process, so two opens of one table in one process exclude
    // each other like two programs do. One attempt, no waiting.
    bool TryLock(uint64_t offset, uint64_t length, bool exclusive);
    bool Unlock(uint64_t offset, uint64_t length);

private:
    int fd_ = -1;
    Access access_ = Access::ReadOnly;
};

bool FileExists(const std::string& path);

} // namespace vell3::tables
