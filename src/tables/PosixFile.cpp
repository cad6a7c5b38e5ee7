#include "PosixFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vell3::tables {

PosixFile::~PosixFile() {
    Close();
}

PosixFile::PosixFile(PosixFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), access_(other.access_) {}

PosixFile& PosixFile::operator=(PosixFile&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        access_ = other.access_;
    }
    return *this;
}

bool PosixFile::Open(const std::string& path, Access access) {
    Close();
    const int flags = (access == Access::ReadWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC;
    fd_ = ::open(path.c_str(), flags);
    if (fd_ < 0) {
        return false;
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        Close();
        errno = EACCES;
        return false;
    }
    access_ = access;
    return true;
}

bool PosixFile::Create(const std::string& path) {
    Close();
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    access_ = Access::ReadWrite;
    return fd_ >= 0;
}

void PosixFile::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

int64_t PosixFile::ReadAt(uint64_t offset, void* buffer, size_t size) const {
    size_t done = 0;
    auto* out = static_cast<char*>(buffer);
    while (done < size) {
        const ssize_t n = ::pread(fd_, out + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<size_t>(n);
    }
    return static_cast<int64_t>(done);
}

bool PosixFile::WriteAt(uint64_t offset, const void* buffer, size_t size) {
    size_t done = 0;
    const auto* in = static_cast<const char*>(buffer);
    while (done < size) {
        const ssize_t n = ::pwrite(fd_, in + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

int64_t PosixFile::Size() const {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        return -1;
    }
    return static_cast<int64_t>(info.st_size);
}

bool PosixFile::Truncate(uint64_t size) {
    return ::ftruncate(fd_, static_cast<off_t>(size)) == 0;
}

bool PosixFile::Sync() {
    return ::fsync(fd_) == 0;
}

bool PosixFile::TryLock(uint64_t offset, uint64_t length, bool exclusive) {
    struct flock lock {};
    lock.l_type = static_cast<short>(exclusive ? F_WRLCK : F_RDLCK);
    lock.l_whence = SEEK_SET;
    lock.l_start = static_cast<off_t>(offset);
    lock.l_len = static_cast<off_t>(length);
    return ::fcntl(fd_, F_OFD_SETLK, &lock) == 0;
}

bool PosixFile::Unlock(uint64_t offset, uint64_t length) {
    struct flock lock {};
    lock.l_type = F_UNLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = static_cast<off_t>(offset);
    lock.l_len = static_cast<off_t>(length);
    return ::fcntl(fd_, F_OFD_SETLK, &lock) == 0;
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

} // namespace vell3::tables
