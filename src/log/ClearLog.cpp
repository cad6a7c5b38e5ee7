#include "ClearLog.h"

#include "EngineError.h"
#include "LogTable.h"
#include "PosixFile.h"
#include "UserError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vell3::log {

using tables::TTzDbf;

namespace {

constexpr std::size_t kCopyChunk = 1 << 16;

[[noreturn]] void SaveFailed(const std::string& target, const std::string& reason) {
    throw UserError("The report could not be saved to \"" + target + "\": " + reason +
                    "\r\rThe report has not been cleared.");
}

[[noreturn]] void SaveFailedErrno(const std::string& target, int error) {
    SaveFailed(target, std::strerror(error));
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error)) {
        return true;
    }
    const auto canonicalA = std::filesystem::weakly_canonical(a, error);
    const auto canonicalB = std::filesystem::weakly_canonical(b, error);
    return !error && canonicalA == canonicalB;
}

// Closes a descriptor and removes the unfinished copy unless it was kept.
struct PartialCopy {
    int fd = -1;
    std::string path;
    bool kept = false;
    ~PartialCopy() {
        if (fd >= 0) {
            ::close(fd);
        }
        if (!kept && !path.empty()) {
            ::unlink(path.c_str());
        }
    }
};

// An exact copy of the log file under a new name: written beside the target
// under a temporary name, flushed, then renamed, so the target is whole or
// absent whatever happens meanwhile.
void CopyLogFile(const std::string& logPath, const std::string& target) {
    tables::PosixFile source;
    if (!source.Open(logPath, tables::PosixFile::Access::ReadOnly)) {
        SaveFailedErrno(target, errno);
    }
    PartialCopy copy;
    std::string pattern = target + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    copy.fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (copy.fd < 0) {
        SaveFailedErrno(target, errno);
    }
    copy.path = name.data();
    // A new file gets the usual permissions, not mkstemp's private ones.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(copy.fd, 0666 & ~mask);

    std::vector<char> buffer(kCopyChunk);
    uint64_t offset = 0;
    for (;;) {
        const int64_t got = source.ReadAt(offset, buffer.data(), buffer.size());
        if (got < 0) {
            SaveFailedErrno(target, errno);
        }
        if (got == 0) {
            break;
        }
        std::size_t done = 0;
        while (done < static_cast<std::size_t>(got)) {
            const ssize_t written =
                ::write(copy.fd, buffer.data() + done, static_cast<std::size_t>(got) - done);
            if (written < 0) {
                if (errno == EINTR) {
                    continue;
                }
                SaveFailedErrno(target, errno);
            }
            done += static_cast<std::size_t>(written);
        }
        offset += static_cast<uint64_t>(got);
    }
    if (::fsync(copy.fd) != 0) {
        SaveFailedErrno(target, errno);
    }
    const int fd = copy.fd;
    copy.fd = -1;
    if (::close(fd) != 0) {
        SaveFailedErrno(target, errno);
    }
    if (::rename(copy.path.c_str(), target.c_str()) != 0) {
        SaveFailedErrno(target, errno);
    }
    copy.kept = true;
}

// The log's rows after the rows of an existing table, fields matched by name.
void AppendLogInto(const std::string& logPath, const std::string& target) {
    // A failure here is the save's failure, shown with its reason; it is not
    // an engine fault that ends the program.
    const tables::ReportingOff quiet;
    try {
        TTzDbf table("TzDbfSave");
        table.SetCreateIfNotFound(false);
        table.SetTableLanguage(tables::TableLanguage::tlOem);
        table.SetDbfFileName(target);
        table.Open();
        {
            const tables::AppendLockHold lock(table, kAppendLockWait);
            if (!lock.Held()) {
                SaveFailed(target, "another program is adding to it");
            }
            table.AppendFrom(logPath);
        }
        table.Close();
    } catch (const tables::EngineException& error) {
        SaveFailed(target, error.Error().FullText());
    }
}

// The save while the log is open: no row is added to it meanwhile.
void SaveOpenLog(TTzDbf& log, const std::string& logPath, const std::string& target) {
    if (SameFile(target, logPath)) {
        throw UserError(LogSavedIntoItselfMessage(target));
    }
    const tables::AppendLockHold hold(log, kAppendLockWait);
    if (!hold.Held()) {
        SaveFailed(target, "another program is adding to the report");
    }
    std::error_code error;
    if (std::filesystem::exists(target, error)) {
        AppendLogInto(logPath, target);
    } else {
        CopyLogFile(logPath, target);
    }
}

} // namespace

std::string ProposedSaveFileName(const tables::DbfDate& day) {
    std::string name = tables::FormatShortDate(day);
    std::erase(name, '/');
    return name + ".dbf";
}

std::string LogSavedIntoItselfMessage(const std::string& logPath) {
    return "The report can not be saved into itself (\"" + logPath +
           "\").\r\rPlease choose another file.";
}

void SaveLogInto(const std::string& logPath, const std::string& target) {
    MakeLogFolder(logPath);
    TTzDbf log("TzDbfReport");
    ConfigureLogTable(log, logPath);
    log.Open();
    SaveOpenLog(log, logPath, target);
    log.Close();
}

ClearLogResult ClearLog(const std::string& logPath, const std::function<ClearLogChoice()>& choose) {
    MakeLogFolder(logPath);
    TTzDbf log("TzDbfReport");
    ConfigureLogTable(log, logPath);
    log.Open();
    if (log.RecCount() == 0) {
        log.Close();
        return ClearLogResult::AlreadyEmpty;
    }
    const ClearLogChoice choice = choose();
    if (choice.kind == ClearLogChoice::Kind::Cancel) {
        log.Close();
        return ClearLogResult::Cancelled;
    }
    // Exclusive from here on: a row another program appended after the save
    // would otherwise be deleted without having been saved.
    log.SetExclusive(true);
    if (choice.kind == ClearLogChoice::Kind::Save && !choice.target.empty()) {
        SaveOpenLog(log, logPath, choice.target);
    }
    log.First();
    const uint32_t count = log.RecCount();
    for (uint32_t i = 0; i < count; ++i) {
        log.DeleteRec();
        log.Next();
    }
    log.Pack();
    log.Close();
    return ClearLogResult::Cleared;
}

} // namespace vell3::log
