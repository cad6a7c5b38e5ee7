#include "DbfFile.h"

#include "ByteOrder.h"
#include "ByteRangeLock.h"

#include "DbfLayout.h"
#include "EngineError.h"
#include "TablePaths.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <optional>
#include <thread>

namespace vell3::tables {

namespace {

using namespace layout;

// Closing in shared use waits this long for the append lock before leaving
// the count to whichever program holds it (that program writes it from the
// file's size when it closes).
constexpr auto kCloseLockWait = std::chrono::milliseconds(1000);

bool IsKnownVersion(uint8_t v) {
    return v == kVersionDbase2 || v == kVersionPlain || v == kVersionDbase4Sql ||
           v == kVersionDbase3Memo || v == kVersionDbase4Memo || v == kVersionDbase7Memo ||
           v == kVersionFoxProMemo;
}

char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

std::string FileNameOnly(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The extension written in the case of the table's own extension, so that
// "addr.dbf" gets "addr.dbt" and "ADDR.DBF" gets "ADDR.DBT".
std::string CompanionName(const std::string& tablePath, std::string ext) {
    const size_t dot = tablePath.find_last_of('.');
    const size_t slash = tablePath.find_last_of('/');
    const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    if (hasExt && dot + 1 < tablePath.size() && tablePath[dot + 1] >= 'a' &&
        tablePath[dot + 1] <= 'z') {
        for (char& c : ext) {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return ReplaceExtension(tablePath, ext);
}

} // namespace

std::string MemoFileName(const std::string& tablePath, uint8_t version) {
    const std::string ext = MemoExtension(MemoKindOf(version));
    std::string name = CompanionName(tablePath, ext);
    if (!FileExists(name)) {
        // Files made elsewhere may spell the extension the other way.
        std::string other = ext;
        if (name.substr(name.size() - 3) == ext) {
            for (char& c : other) {
                c = static_cast<char>(c - 'A' + 'a');
            }
        }
        const std::string alternative = ReplaceExtension(tablePath, other);
        if (FileExists(alternative)) {
            return alternative;
        }
    }
    return name;
}

DbfFile::~DbfFile() {
    // A table left open by an exception path is closed without surprises.
    memo_.Close();
    file_.Close();
}

void DbfFile::CreateDbf(const std::string& path, const std::vector<FieldDef>& defs) {
    const std::string routineDetail = "Invalid dBASE field definition [CreateDBF]";
    if (defs.empty() || defs.size() > static_cast<size_t>(kMaxFields)) {
        RaiseEngineError(211, routineDetail);
    }
    bool hasMemo = false;
    for (const auto& def : defs) {
        const char type = UpperAscii(def.type);
        hasMemo = hasMemo || type == 'M' || type == 'B' || type == 'G' || type == 'P';
    }
    const size_t headerLength = kHeaderPrologSize + kDescriptorSize * defs.size() + 1;
    std::string header(headerLength, '\0');
    uint32_t recordLength = 1;
    for (size_t i = 0; i < defs.size(); ++i) {
        const FieldDef& def = defs[i];
        const char type = UpperAscii(def.type);
        std::string name = def.name;
        while (!name.empty() && static_cast<unsigned char>(name.front()) < 0x21) {
            name.erase(name.begin());
        }
        while (!name.empty() && static_cast<unsigned char>(name.back()) < 0x21) {
            name.pop_back();
        }
        name = name.substr(0, kMaxNameLength);
        for (char& c : name) {
            c = UpperAscii(c);
        }
        if (name.empty()) {
            RaiseEngineError(211, routineDetail);
        }
        int length = def.length;
        int decimals = def.decimals;
        switch (type) {
        case 'D':
            length = 8;
            break;
        case 'L':
            length = 1;
            break;
        case 'B':
        case 'G':
        case 'P':
            if (!hasMemo) {
                RaiseEngineError(211, routineDetail);
            }
            [[fallthrough]];
        case 'M':
            length = 10;
            break;
        case 'C':
        case 'F':
        case 'N':
            if (length <= 0 || length > 254) {
                RaiseEngineError(211, routineDetail);
            }
            break;
        default:
            RaiseEngineError(211, routineDetail);
        }
        if (type != 'N' && type != 'F') {
            decimals = 0;
        }
        if (decimals < 0 || decimals > 255) {
            RaiseEngineError(211, routineDetail);
        }
        auto* d = reinterpret_cast<unsigned char*>(header.data()) + kHeaderPrologSize +
                  kDescriptorSize * i;
        std::memcpy(d, name.data(), name.size());
        d[11] = static_cast<unsigned char>(type);
        d[16] = static_cast<unsigned char>(length);
        d[17] = static_cast<unsigned char>(decimals);
        recordLength += static_cast<uint32_t>(length);
    }
    if (recordLength > 0xFFFF) {
        RaiseEngineError(211, routineDetail);
    }
    auto* h = reinterpret_cast<unsigned char*>(header.data());
    h[0] = hasMemo ? kVersionDbase4Memo : kVersionPlain;
    header.back() = kHeaderTerminator;
    PutLe16(h + kOffsetHeaderLength, static_cast<uint32_t>(headerLength));
    PutLe16(h + kOffsetRecordLength, recordLength);
    PutToday(h + 1);
    header.push_back(kEndOfFile);
    PosixFile file;
    if (!file.Create(path) || !file.WriteAt(0, header.data(), header.size())) {
        const int number = SystemErrorNumber(errno);
        RaiseEngineError(number, "Error writing " + path + ". [CreateDbf]");
    }
    file.Close();
    if (hasMemo) {
        MemoFile::CreateMemofile(CompanionName(path, "DBT"), BaseName(path));
    }
}

void DbfFile::Fail(int number, const std::string& detail) {
    memo_.Close();
    file_.Close();
    RaiseEngineError(number, detail);
}

void DbfFile::OpenDbf(const std::string& path, const OpenMode& mode) {
    memo_.Close();
    file_.Close();
    path_ = path;
    mode_ = mode;
    changed_ = false;
    appended_ = false;
    fields_.clear();
    const auto access = mode.readOnly ? PosixFile::Access::ReadOnly : PosixFile::Access::ReadWrite;
    if (!file_.Open(path, access)) {
        Fail(SystemErrorNumber(errno), "Failure to open " + path + " [USE/OpenDbf]");
    }
    // Shared and exclusive opening exclude each other through the share-mode
    // byte: a shared open reads it, an exclusive open writes it.
    const bool exclusiveLock = mode.exclusive && !mode.readOnly;
    if (!file_.TryLock(kShareModeOffset, 1, exclusiveLock)) {
        Fail(32, "Failure to open " + path + " [USE/OpenDbf]");
    }
    ReadHeader();
    if (Version() & 0x80) {
        const std::string memoPath = MemoFileName(path, Version());
        if (!FileExists(memoPath)) {
            Fail(2, "Memo file not found: " + memoPath + " [USE]");
        }
        try {
            memo_.Open(memoPath, MemoKindOf(Version()), !mode.readOnly, !mode.exclusive);
        } catch (...) {
            file_.Close();
            throw;
        }
    }
}

void DbfFile::ReadHeader() {
    const std::string name = path_;
    const int64_t size = file_.Size();
    const int64_t got = file_.ReadAt(0, prolog_.data(), prolog_.size());
    if (got < 0 || size < 0) {
        Fail(100, "Error reading " + name + " [Use/OpenDbf]");
    }
    if (got < kHeaderPrologSize) {
        Fail(210, name + " is not a dBASE database. (Prolog is less than 32 bytes) [USE/OpenDBF]");
    }
    const uint8_t version = prolog_[0];
    if (!IsKnownVersion(version)) {
        Fail(210, name + " is not a dBASE database.(Invalid version byte)+ [USE/OpenDBF]");
    }
    headerLength_ = GetLe16(prolog_.data() + kOffsetHeaderLength);
    recordLength_ = GetLe16(prolog_.data() + kOffsetRecordLength);
    const bool dbase7 = version == kVersionDbase7Memo;
    const int prologSize = dbase7 ? kDbase7PrologSize : kHeaderPrologSize;
    const int descriptorSize = dbase7 ? kDbase7DescriptorSize : kDescriptorSize;
    if (version == kVersionDbase2 && headerLength_ < kDbase2MinHeader) {
        Fail(210, name + " is not a dBASE database.(Header is less than 521 bytes) [Use/OpenDBF]");
    }
    const int fieldCount =
        headerLength_ > prologSize ? (headerLength_ - prologSize) / descriptorSize : 0;
    if (fieldCount <= 0 || fieldCount > kMaxFields) {
        Fail(210, FileNameOnly(name) +
                      " is not a dBASE database. (Number of fields is out of range) [Use/OpenDbf]");
    }
    if (headerLength_ > size) {
        Fail(210,
             name + " is not a dBASE database. (Header length exceeds the file) [Use/OpenDbf]");
    }
    if (recordLength_ == 0) {
        Fail(210, name + " is not a dBASE database. (Record length is 0) [Use/OpenDbf]");
    }
    std::string header(static_cast<size_t>(headerLength_), '\0');
    if (file_.ReadAt(0, header.data(), header.size()) != headerLength_) {
        Fail(100, "Error reading " + name + " [Use/OpenDbf]");
    }
    int offset = 1;
    for (int i = 0; i < fieldCount; ++i) {
        const auto* d = reinterpret_cast<const unsigned char*>(header.data()) + prologSize +
                        static_cast<ptrdiff_t>(descriptorSize) * i;
        if (d[0] == static_cast<unsigned char>(kHeaderTerminator)) {
            if (i == 0) {
                Fail(222, name + " has no field descriptors [Use/OpenDbf]");
            }
            break;
        }
        const int nameWidth = dbase7 ? 32 : 11;
        FieldInfo field;
        for (int k = 0; k < nameWidth && d[k] != 0; ++k) {
            field.name.push_back(UpperAscii(static_cast<char>(d[k])));
        }
        const int typeAt = dbase7 ? 32 : 11;
        const int lengthAt = dbase7 ? 33 : 16;
        char type = UpperAscii(static_cast<char>(d[typeAt]));
        if (type == 'B' || type == 'G' || type == 'P') {
            type = 'M';
        }
        if (type != 'C' && type != 'D' && type != 'F' && type != 'L' && type != 'M' &&
            type != 'N') {
            Fail(211, "Field: " + field.name + " [" + std::string(1, static_cast<char>(d[typeAt])) +
                          "] in " + name + " is not a valid field type");
        }
        field.type = type;
        field.length = d[lengthAt];
        field.decimals = d[lengthAt + 1];
        if (type != 'N' && type != 'F') {
            field.decimals = 0;
        }
        field.offset = offset;
        offset += field.length;
        if (offset > recordLength_) {
            Fail(210, name + " is not a dBASE database. (Fields exceed the record length) "
                             "[Use/OpenDbf]");
        }
        fields_.push_back(field);
    }
    count_ = GetLe32(prolog_.data() + kOffsetRecordCount);
    if (mode_.autoFixRecCount) {
        count_ = CountFromSize();
    } else if (mode_.exclusive) {
        // The header's count is brought up to date only when a shared program
        // closes the table; one that ended without closing leaves it short of
        // the records it appended. Those records are counted, so that an
        // append cannot overwrite them nor a close or pack cut them off.
        count_ = std::max(count_, CountFromSize());
    }
}

uint32_t DbfFile::CountFromSize() const {
    const int64_t size = file_.Size();
    if (size <= headerLength_ || recordLength_ <= 0) {
        return 0;
    }
    return static_cast<uint32_t>(
        std::min<int64_t>((size - headerLength_) / recordLength_, UINT32_MAX));
}

void DbfFile::GetDbfRecord(uint32_t n, std::string& buffer) const {
    if (n < 1 || n > count_) {
        RaiseEngineError(212, "Invalid record number = " + std::to_string(n) + " (" + path_ +
                                  ")  [GetDbfRecord]");
    }
    // Read aside: a failed read leaves the caller's buffer (often the
    // current record, which a post writes back) as it was.
    std::string record(static_cast<size_t>(recordLength_), '\0');
    const uint64_t at =
        static_cast<uint64_t>(headerLength_) + static_cast<uint64_t>(n - 1) * recordLength_;
    const int64_t got = file_.ReadAt(at, record.data(), record.size());
    if (got < 0) {
        RaiseEngineError(100, "File:  " + path_ + "  [GetDbfRecord]");
    }
    if (got != recordLength_) {
        RaiseEngineError(213, "File:  " + path_ + "  [GetDbfRecord]");
    }
    buffer = std::move(record);
}

uint32_t DbfFile::PutDbfRecord(uint32_t n, const std::string& buffer) {
    const bool append = n > count_;
    if (append) {
        n = count_ + 1;
    }
    const uint64_t at =
        static_cast<uint64_t>(headerLength_) + static_cast<uint64_t>(n - 1) * recordLength_;
    if (buffer.size() != static_cast<size_t>(recordLength_) ||
        !file_.WriteAt(at, buffer.data(), buffer.size())) {
        const int number =
            (errno == ENOSPC || errno == EFBIG || errno == EDQUOT) ? 101 : SystemErrorNumber(errno);
        RaiseEngineError(number, "File:  " + path_ + " [Replace/Append/PutDbfRecord]");
    }
    if (append) {
        count_ = n;
        appended_ = true;
    }
    changed_ = true;
    return n;
}

void DbfFile::WriteDeletionFlag(uint32_t n, bool deleted) {
    const char flag = deleted ? kDeletedRecord : kLiveRecord;
    const uint64_t at =
        static_cast<uint64_t>(headerLength_) + static_cast<uint64_t>(n - 1) * recordLength_;
    if (!file_.WriteAt(at, &flag, 1)) {
        RaiseEngineError(SystemErrorNumber(errno), "File:  " + path_ + " [DeleteRec/RecallRec]");
    }
    changed_ = true;
}

void DbfFile::RewriteHeader(bool appendLockHeld) {
    if (!file_.Writable()) {
        return;
    }
    // The count and the end-of-file byte are written under the append lock,
    // so no other program appends meanwhile.
    std::optional<ByteRangeLock> lock;
    if (!mode_.exclusive && !appendLockHeld) {
        lock.emplace(file_, kAppendLockOffset, 1, true, kCloseLockWait);
    }
    if (lock && !lock->Held()) {
        // The holder appends and rewrites the count from the file's size
        // when it closes; writing ours now could hide its records.
        changed_ = false;
        appended_ = false;
        return;
    }

    if (!mode_.exclusive) {
        count_ = CountFromSize();
    }
    std::array<unsigned char, 32> bytes = prolog_;
    unsigned char current[32] = {};
    if (file_.ReadAt(0, current, sizeof current) == 32) {
        std::memcpy(bytes.data() + 16, current + 16, 12);
    }
    PutToday(bytes.data() + 1);
    PutLe32(bytes.data() + kOffsetRecordCount, count_);
    const bool endOfFile = appended_ || !mode_.exclusive;
    if (!file_.WriteAt(0, bytes.data(), bytes.size())) {
        RaiseEngineError(SystemErrorNumber(errno), "Error writing " + path_ + ". [CloseDbf]");
    }
    prolog_ = bytes;
    if (endOfFile) {
        const uint64_t at =
            static_cast<uint64_t>(headerLength_) + static_cast<uint64_t>(count_) * recordLength_;
        const int64_t size = file_.Size();
        if (appended_ || size == static_cast<int64_t>(at)) {
            const char eof = kEndOfFile;
            if (!file_.WriteAt(at, &eof, 1)) {
                RaiseEngineError(SystemErrorNumber(errno),
                                 "Error writing " + path_ + ". [CloseDbf]");
            }
        }
    }
    changed_ = false;
    appended_ = false;
}

void DbfFile::TruncateToCount() {
    const uint64_t at =
        static_cast<uint64_t>(headerLength_) + static_cast<uint64_t>(count_) * recordLength_;
    const char eof = kEndOfFile;
    if (!file_.Truncate(at) || !file_.WriteAt(at, &eof, 1)) {
        RaiseEngineError(SystemErrorNumber(errno), "Error writing " + path_ + ". [Pack]");
    }
    changed_ = true;
}

void DbfFile::CloseDbf(bool appendLockHeld) {
    if (!file_.IsOpen()) {
        return;
    }
    memo_.Close();
    if (changed_ || appended_) {
        try {
            RewriteHeader(appendLockHeld);
        } catch (...) {
            file_.Close();
            throw;
        }
    }
    file_.Close();
}

void DbfFile::ReopenMemo() {
    const std::string memoPath = MemoFileName(path_, Version());
    memo_.Open(memoPath, MemoKindOf(Version()), !mode_.readOnly, !mode_.exclusive);
}

} // namespace vell3::tables
