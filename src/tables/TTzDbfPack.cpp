// Pack: records marked deleted removed, the memo file rebuilt.

#include "DbfLayout.h"
#include "EngineError.h"
#include "FieldCodec.h"
#include "TTzDbf.h"
#include "TablePaths.h"

#include <cerrno>
#include <cstdio>
#include <sys/statvfs.h>
#include <unistd.h>

namespace vell3::tables {

void TTzDbf::CompactRecords() {
    const uint32_t count = file_.Count();
    if (count > file_.CountFromSize()) {
        // The file ends before its last record: stopping at that record
        // would leave the records moved so far in the file twice.
        RaiseEngineError(213, "File:  " + file_.Path() + "  [GetDbfRecord]");
    }
    std::string buffer;
    uint32_t kept = 0;
    for (uint32_t n = 1; n <= count; ++n) {
        file_.GetDbfRecord(n, buffer);
        if (buffer[0] == layout::kDeletedRecord) {
            continue;
        }
        ++kept;
        if (kept != n) {
            file_.PutDbfRecord(kept, buffer);
        }
    }
    file_.SetCount(kept);
    file_.TruncateToCount();
    file_.RewriteHeader(true);
}

void TTzDbf::PackMemofile() {
    MemoFile& memo = file_.Memo();
    const std::string path = memo.Path();
    struct statvfs disk {};
    if (::statvfs(path.c_str(), &disk) == 0) {
        const uint64_t freeKb = static_cast<uint64_t>(disk.f_bavail) * disk.f_frsize / 1024;
        if (freeKb < memo.FileSize() / 1024) {
            RaiseEngineError(1012, path + " [PackMemofile]");
        }
    }
    const std::string temporary = ReplaceExtension(path, "$$$");
    MemoFile::CreateEmpty(temporary, memo.Kind(), memo.BlockSize(), BaseName(fileName_));
    struct RemoveOnFailure {
        const std::string& path;
        bool keep = false;
        ~RemoveOnFailure() {
            if (!keep) {
                ::unlink(path.c_str());
            }
        }
    } cleanup{temporary};

    // Every memo still referenced is copied first, so that a damaged memo
    // stops the pack before any record has been changed.
    MemoFile fresh;
    fresh.Open(temporary, memo.Kind(), true, false);
    struct Moved {
        uint32_t recNo;
        size_t field;
        uint32_t block;
    };
    std::vector<Moved> moved;
    std::string buffer;
    const auto& fields = file_.Fields();
    for (uint32_t n = 1; n <= file_.Count(); ++n) {
        file_.GetDbfRecord(n, buffer);
        for (size_t f = 0; f < fields.size(); ++f) {
            if (fields[f].type != 'M') {
                continue;
            }
            const uint32_t block = ParseMemoBlock(RawField(buffer, fields[f]));
            if (block == 0) {
                continue;
            }
            const uint32_t copied = fresh.AddMemo(memo.ReadText(block, n), true);
            if (copied != block) {
                moved.push_back({n, f, copied});
            }
        }
    }
    fresh.Close();
    for (size_t i = 0; i < moved.size();) {
        const uint32_t n = moved[i].recNo;
        file_.GetDbfRecord(n, buffer);
        for (; i < moved.size() && moved[i].recNo == n; ++i) {
            PutRawField(buffer, fields[moved[i].field], FormatMemoBlock(moved[i].block));
        }
        file_.PutDbfRecord(n, buffer);
    }
    memo.Close();
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        RaiseEngineError(SystemErrorNumber(errno), path + " [PackMemofile]");
    }
    cleanup.keep = true;
    file_.ReopenMemo();
}

bool TTzDbf::Pack() {
    RequireOpen("Pack");
    DiscardEdit();
    state_ = DatasetState::Browse;
    SyncCount();
    if (file_.Count() == 0) {
        First();
        return true;
    }
    const bool wasShared = Shared();
    const bool hadIndex = index_.IsOpen();
    const std::string indexPath = index_.Path();
    const std::string indexKey = index_.Expression();
    CloseIndex();
    if (wasShared) {
        Reopen(true);
    }
    CompactRecords();
    if (file_.HasMemo()) {
        PackMemofile();
    }
    if (wasShared) {
        try {
            ReportingOff quiet;
            Reopen(false);
        } catch (const EngineException& error) {
            RaiseEngineError(error.Error().number,
                             "Cannot re-open database sharable. " + fileName_ + " [Pack]");
        }
    }
    if (hadIndex) {
        // Record numbers have changed: the index is built afresh.
        IndexOnOne(indexKey, indexPath);
    }
    First();
    return true;
}

} // namespace vell3::tables
