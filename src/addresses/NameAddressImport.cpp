#include "NameAddressImport.h"

#include "AddressTable.h"
#include "DbfFile.h"
#include "MemoFile.h"
#include "NameAddressLine.h"
#include "NameAddressText.h"
#include "TTzDbf.h"
#include "TablePaths.h"
#include "Text.h"
#include "UserError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace vell3::addresses {

namespace {

std::string ReadWholeFile(const std::string& path) {
    const auto failed = [&path](int error) {
        return UserError("Cannot read the file \"" + path + "\": " + std::strerror(error));
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        throw failed(errno);
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    std::string bytes;
    char chunk[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw failed(errno);
        }
        if (got == 0) {
            return bytes;
        }
        bytes.append(chunk, static_cast<size_t>(got));
    }
}

uint64_t CountLines(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    const auto feeds = static_cast<uint64_t>(std::count(text.begin(), text.end(), '\n'));
    return text.back() == '\n' ? feeds : feeds + 1;
}

// The memo lines of a line's first four fields: the ones that are not blank,
// in order and as read; blank ones leave no gap.
std::vector<std::string> MemoLinesOf(NameAddressLine& fields) {
    std::vector<std::string> lines;
    for (size_t i = kLine1; i <= kLine4; ++i) {
        if (!Trim(fields[i]).empty()) {
            lines.push_back(std::move(fields[i]));
        }
    }
    return lines;
}

void DeleteTableFile(const std::string& path) {
    std::error_code error;
    std::filesystem::remove(path, error);
    if (error) {
        throw UserError("Cannot delete the database \"" + path + "\": " + error.message());
    }
}

// A flush of the memo file after every stored memo costs a disk flush per
// line; an import of thousands of lines would take minutes. For the run the
// engine stores memos without it, and the run flushes the table and its memo
// file once, when it is done.
class MemoFlushDeferred {
public:
    MemoFlushDeferred() { tables::SetFlushMemoWrites(false); }
    // Flushing is the engine's normal way (only throwaway work turns it off).
    ~MemoFlushDeferred() { tables::SetFlushMemoWrites(true); }
    MemoFlushDeferred(const MemoFlushDeferred&) = delete;
    MemoFlushDeferred& operator=(const MemoFlushDeferred&) = delete;
};

void FlushToDisk(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        // A table without a memo file has nothing to flush there.
        if (errno == ENOENT) {
            return;
        }
        throw UserError("Cannot write the file \"" + path + "\": " + std::strerror(errno));
    }
    const int flushed = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (flushed != 0) {
        throw UserError("Cannot write the file \"" + path + "\": " + std::strerror(error));
    }
}

std::string Counted(uint64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string LockRefusedMessage(const std::string& path, std::chrono::milliseconds wait,
                               uint64_t appended) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(wait).count();
    return "Another program is holding the database \"" + path +
           "\" and did not let it be appended to within " +
           Counted(static_cast<uint64_t>(seconds), "second", "seconds") + ". " +
           Counted(appended, "record was", "records were") + " appended.";
}

} // namespace

std::string ProposedDatabaseName(const std::string& textFile) {
    const std::string name = std::filesystem::path(textFile).filename().string();
    const size_t dot = name.find('.');
    return (dot == std::string::npos ? std::string() : name.substr(0, dot + 1)) + "dbf";
}

bool DatabaseExists(const std::string& dbfFile) {
    std::error_code error;
    return std::filesystem::is_regular_file(tables::TableFileName(dbfFile), error);
}

NameAddressImport::NameAddressImport(const std::string& textFile)
    : text_(DecodeNameAddressText(ReadWholeFile(textFile))), lineCount_(CountLines(text_)) {}

ImportResult NameAddressImport::Into(const std::string& dbfFile, ImportTarget target,
                                     const ProgressCallback& progress,
                                     std::chrono::milliseconds lockWait) const {
    tables::TTzDbf table("TzDbfImport");
    if (target == ImportTarget::Overwrite) {
        DeleteTableFile(tables::TableFileName(dbfFile));
    }
    if (target != ImportTarget::Append) {
        table.SetDbfFields(ImportedDatabaseFieldDefinitions());
    }
    table.SetDbfFileName(dbfFile);
    table.Open();
    const std::string tablePath = table.DbfFileName();
    const std::string memoPath = tables::MemoFileName(tablePath, table.Version());

    ImportResult result;
    const MemoFlushDeferred deferred;
    TextFileProgress where{0, lineCount_};
    std::string_view rest = text_;
    while (!rest.empty()) {
        if (!TakeAppendLockWithin(table, lockWait)) {
            throw UserError(LockRefusedMessage(table.DbfFileName(), lockWait, result.appended));
        }
        NameAddressLine fields = ReadNameAddressLine(TakeTextLine(rest));
        // A fresh buffer for every record, so that nothing of the record the
        // table stands on (its deletion mark, fields the file has beyond the
        // four) is carried into the new one.
        table.ClearRecord();
        table.SetMField(kAddressField, MemoLinesOf(fields));
        table.SetField(kCityField, fields[kCity]);
        table.SetField(kStateField, fields[kState]);
        table.SetField(kZipField, fields[kZip]);
        table.AppendRec();
        ++result.appended;
        ++where.done;
        if (progress && (where.done % kProgressStep == 0 || rest.empty()) && !progress(where)) {
            result.cancelled = !rest.empty();
            break;
        }
    }
    table.Close();
    FlushToDisk(memoPath);
    FlushToDisk(tablePath);
    return result;
}

} // namespace vell3::addresses
