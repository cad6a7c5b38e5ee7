#include "NameAddressExport.h"

#include "AddressTable.h"
#include "NameAddressImport.h"
#include "NameAddressLine.h"
#include "TTzDbf.h"
#include "TablePaths.h"
#include "UserError.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vell3::addresses {

namespace {

// What the export collects before it writes.
constexpr size_t kWriteChunk = 1 << 20;

// A text file written under a temporary name in its target's folder and
// renamed into place by Commit; removed when the object goes uncommitted.
class ReplacingFile {
public:
    explicit ReplacingFile(std::string target) : target_(std::move(target)) {
        const std::string folder = tables::FolderOf(target_);
        temp_ = (folder.empty() ? std::string("./") : folder) + ".vell3-export-XXXXXX";
        fd_ = ::mkstemp(temp_.data());
        if (fd_ < 0) {
            Fail(errno);
        }
        ::fchmod(fd_, ModeFor(target_));
    }
    ~ReplacingFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!committed_) {
            ::unlink(temp_.c_str());
        }
    }
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    void Write(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t put = ::write(fd_, bytes.data(), bytes.size());
            if (put < 0) {
                if (errno == EINTR) {
                    continue;
                }
                Fail(errno);
            }
            bytes.remove_prefix(static_cast<size_t>(put));
        }
    }

    void Commit() {
        if (::fsync(fd_) != 0) {
            Fail(errno);
        }
        const int closed = ::close(fd_);
        fd_ = -1;
        if (closed != 0) {
            Fail(errno);
        }
        if (::rename(temp_.c_str(), target_.c_str()) != 0) {
            Fail(errno);
        }
        committed_ = true;
    }

private:
    // An existing file keeps its permissions; a new one gets the usual ones.
    static mode_t ModeFor(const std::string& path) {
        struct stat existing {};
        if (::stat(path.c_str(), &existing) == 0) {
            return existing.st_mode & 07777;
        }
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return 0666 & ~mask;
    }

    [[noreturn]] void Fail(int error) const {
        throw UserError("Cannot write the file \"" + target_ + "\": " + std::strerror(error));
    }

    std::string target_;
    std::string temp_;
    int fd_ = -1;
    bool committed_ = false;
};

} // namespace

std::string ProposedTextFileName(const std::string& dbfFile) {
    std::string name = std::filesystem::path(dbfFile).filename().string();
    size_t at = name.find(".dbf");
    if (at == std::string::npos) {
        at = name.find(".DBF");
    }
    if (at != std::string::npos) {
        // Five characters from the start of the extension: the one after it
        // goes too.
        name.erase(at, 5);
    }
    return name + ".txt";
}

NameAddressExport::NameAddressExport(const std::string& dbfFile) {
    if (!DatabaseExists(dbfFile)) {
        throw UserError("The database \"" + tables::TableFileName(dbfFile) + "\" does not exist.");
    }
    table_ = std::make_unique<tables::TTzDbf>("TzDbfExport");
    table_->SetCreateIfNotFound(false);
    // The export only reads: a database on a read-only medium exports too.
    table_->SetReadOnly(true);
    table_->SetDbfFileName(dbfFile);
    table_->Open();
}

NameAddressExport::~NameAddressExport() = default;

uint64_t NameAddressExport::RecordCount() {
    return table_->RecCount();
}

ExportResult NameAddressExport::WriteTo(const std::string& textFile,
                                        const ProgressCallback& progress) {
    ReplacingFile file(textFile);
    ExportResult result;
    TextFileProgress where{0, RecordCount()};
    std::string buffer;
    buffer.reserve(kWriteChunk + 4096);
    std::vector<std::string> memo;
    NameAddressLine fields;
    // Record order is the physical order, whatever index the file may have.
    for (uint32_t recNo = 1; recNo <= where.total; ++recNo) {
        table_->Go(recNo);
        table_->GetMField(kAddressField, memo);
        for (size_t i = kLine1; i <= kLine4; ++i) {
            fields[i] = i < memo.size() ? std::move(memo[i]) : std::string();
        }
        fields[kCity] = table_->GetField(kCityField);
        fields[kState] = table_->GetField(kStateField);
        fields[kZip] = table_->GetField(kZipField);
        buffer += WriteNameAddressLine(fields);
        if (buffer.size() >= kWriteChunk) {
            file.Write(buffer);
            buffer.clear();
        }
        ++result.written;
        ++where.done;
        if (progress && (where.done % kProgressStep == 0 || where.done == where.total) &&
            !progress(where)) {
            if (where.done < where.total) {
                return {0, true};
            }
        }
    }
    file.Write(buffer);
    file.Commit();
    return result;
}

} // namespace vell3::addresses
