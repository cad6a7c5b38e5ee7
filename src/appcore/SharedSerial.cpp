#include "SharedSerial.h"

#include "MailerSequence.h"
#include "ProfileFile.h"
#include "UserError.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <optional>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace vell3 {

namespace {

constexpr const char* kSerialSection = "LastSerial";
constexpr std::int64_t kCycle = 99999999; // serials 00000001 ... 99999999
constexpr std::size_t kSerialDigits = 8;
constexpr auto kLockRetry = std::chrono::milliseconds(5);

std::optional<std::int64_t> SerialValue(std::string_view serial) {
    if (serial.size() != kSerialDigits) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char c : serial) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

// The whole lock file, write-locked through its own open file description:
// a lock of this open file, not of the process, released when the object goes.
class SharedSerialLock {
public:
    explicit SharedSerialLock(const std::string& path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            throw UserError("Unable to open " + path);
        }
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        lock.l_start = 0;
        lock.l_len = 1;
        const auto deadline = std::chrono::steady_clock::now() +
                              std::chrono::milliseconds(kSharedSerialWaitMilliseconds);
        while (::fcntl(fd_, F_OFD_SETLK, &lock) != 0) {
            const bool busy = errno == EAGAIN || errno == EACCES || errno == EINTR;
            if (!busy || std::chrono::steady_clock::now() >= deadline) {
                ::close(fd_);
                throw UserError("Unable to lock " + path);
            }
            std::this_thread::sleep_for(kLockRetry);
        }
    }
    ~SharedSerialLock() { ::close(fd_); } // closing the description drops its lock
    SharedSerialLock(const SharedSerialLock&) = delete;
    SharedSerialLock& operator=(const SharedSerialLock&) = delete;

private:
    int fd_ = -1;
};

} // namespace

std::string LaterSerial(std::string_view a, std::string_view b) {
    const auto va = SerialValue(a);
    const auto vb = SerialValue(b);
    if (!va || !vb) {
        return std::string(va ? a : b);
    }
    // 99999999 and 00000000 share a place: each is followed by 00000001.
    const std::int64_t ahead = ((*va % kCycle) - (*vb % kCycle) + kCycle) % kCycle;
    return std::string(ahead < kCycle / 2 ? a : b);
}

void SaveSteppedSequence(AppSettings& settings,
                         const std::function<void(const AppSettings&)>& save) {
    const bool shared = settings.DataFolder && !settings.DataFolder->empty();
    if (!settings.PrintBarCode || !shared) {
        save(settings);
        return;
    }
    const std::string folder = WritableFolder(settings);
    const std::string path = folder + kSharedSerialFile;
    const SharedSerialLock lock(folder + kSharedSerialLockFile);

    ProfileFile file = ProfileFile::Read(path);
    std::string serial = settings.SerialNum;
    const auto last = file.Get(kSerialSection, settings.CustID);
    if (last && SerialValue(*last)) {
        serial = LaterSerial(serial, StepSerial(*last, +1));
    }
    file.Set(kSerialSection, settings.CustID, serial);
    if (!file.WriteAtomically(path)) {
        throw UserError("Unable to write to " + path);
    }
    settings.SerialNum = serial;
    save(settings);
}

} // namespace vell3
