#include "MemoFile.h"

#include "ByteOrder.h"
#include "ByteRangeLock.h"

#include "DbfLayout.h"
#include "EngineError.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>
#include <sys/statvfs.h>
#include <thread>

namespace vell3::tables {

namespace {

using namespace layout;

constexpr uint32_t kFoxProTextType = 1;
constexpr uint32_t kMinBlockSize = 16;
constexpr uint16_t kNoLinkLow = 0xFFFF;
// The first word of a stored memo's block header (FF FF 08 00) read as a link.
constexpr uint32_t kStoredMemoWord = 0x0008FFFF;
constexpr size_t kReadChunk = 4096;
// A dBASE III memo runs to its end mark; in a damaged file without one the
// scan stops after this much text rather than reading the rest of the file.
constexpr uint64_t kMaxUnmarkedMemo = 1 << 20;

uint64_t FreeDiskBytes(const std::string& path) {
    struct statvfs info {};
    if (::statvfs(path.c_str(), &info) != 0) {
        return UINT64_MAX;
    }
    return static_cast<uint64_t>(info.f_bavail) * info.f_frsize;
}

bool& FlushWrites() {
    static bool flush = true;
    return flush;
}

} // namespace

void SetFlushMemoWrites(bool on) {
    FlushWrites() = on;
}

MemoKind MemoKindOf(uint8_t version) {
    if (version == kVersionDbase3Memo) {
        return MemoKind::Dbase3;
    }
    if (version == kVersionFoxProMemo || version == kVersionVisualFoxPro) {
        return MemoKind::FoxPro;
    }
    return MemoKind::Dbase4;
}

std::string MemoExtension(MemoKind kind) {
    return kind == MemoKind::FoxPro ? "FPT" : "DBT";
}

std::vector<std::string> SplitMemoLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string line;
    size_t i = 0;
    auto finish = [&]() {
        if (line.size() > kMemoMaxLineLength) {
            line.resize(kMemoMaxLineLength);
        }
        lines.push_back(std::move(line));
        line.clear();
    };
    while (i < text.size() && lines.size() < static_cast<size_t>(kMemoMaxLines)) {
        const char c = text[i];
        if ((c == '\r' || c == kSoftReturn) && i + 1 < text.size() && text[i + 1] == '\n') {
            finish();
            i += 2;
            continue;
        }
        line.push_back(c);
        ++i;
    }
    if (!line.empty() && lines.size() < static_cast<size_t>(kMemoMaxLines)) {
        finish();
    }
    return lines;
}

void MemoFile::CreateMemofile(const std::string& path, const std::string& tableBaseName) {
    std::array<unsigned char, kMemoHeaderWritten> header{};
    PutLe32(header.data(), 1);
    const size_t nameLength = std::min<size_t>(tableBaseName.size(), 8);
    std::memcpy(header.data() + 8, tableBaseName.data(), nameLength);
    header[18] = 0x02;
    header[19] = 0x01;
    header[20] = static_cast<unsigned char>(kMemoBlockSize & 0xFF);
    header[21] = static_cast<unsigned char>(kMemoBlockSize >> 8);
    PosixFile file;
    if (!file.Create(path) || !file.WriteAt(0, header.data(), header.size())) {
        const int number = SystemErrorNumber(errno);
        RaiseEngineError(number, "Cannot create memo file " + path + " [CreateDbf()]");
    }
}

void MemoFile::CreateEmpty(const std::string& path, MemoKind kind, uint32_t blockSize,
                           const std::string& tableBaseName) {
    if (kind == MemoKind::Dbase4) {
        CreateMemofile(path, tableBaseName);
        if (blockSize != kMemoBlockSize) {
            PosixFile file;
            const unsigned char size[2] = {static_cast<unsigned char>(blockSize & 0xFF),
                                           static_cast<unsigned char>(blockSize >> 8)};
            if (!file.Open(path, PosixFile::Access::ReadWrite) || !file.WriteAt(20, size, 2)) {
                RaiseEngineError(SystemErrorNumber(errno), path + " [PackMemofile]");
            }
        }
        return;
    }
    // dBASE III and FoxPro: a 512-byte header block holding the next free
    // block (and, for FoxPro, the block size, both big-endian).
    std::string header(kMemoBlockSize, '\0');
    auto* h = reinterpret_cast<unsigned char*>(header.data());
    if (kind == MemoKind::FoxPro) {
        PutBe32(h, (kMemoBlockSize + blockSize - 1) / blockSize);
        h[6] = static_cast<unsigned char>(blockSize >> 8);
        h[7] = static_cast<unsigned char>(blockSize & 0xFF);
    } else {
        PutLe32(h, 1);
    }
    PosixFile file;
    if (!file.Create(path) || !file.WriteAt(0, header.data(), header.size())) {
        RaiseEngineError(SystemErrorNumber(errno), path + " [PackMemofile]");
    }
}

void MemoFile::Open(const std::string& path, MemoKind kind, bool writable, bool shared) {
    Close();
    if (!file_.Open(path, writable ? PosixFile::Access::ReadWrite : PosixFile::Access::ReadOnly)) {
        const int number = SystemErrorNumber(errno);
        RaiseEngineError(number, "Memo file not found: " + path + " [USE]");
    }
    path_ = path;
    kind_ = kind;
    shared_ = shared;
    std::array<unsigned char, 24> header{};
    const int64_t got = file_.ReadAt(0, header.data(), header.size());
    blockSize_ = kMemoBlockSize;
    if (kind == MemoKind::FoxPro) {
        if (got < 8) {
            file_.Close();
            RaiseEngineError(210, path + " is not a memo file. (Header is too short) [USE]");
        }
        blockSize_ = (static_cast<uint32_t>(header[6]) << 8) | header[7];
    } else if (kind == MemoKind::Dbase4 && got >= 22) {
        blockSize_ = static_cast<uint32_t>(header[20]) | (static_cast<uint32_t>(header[21]) << 8);
        if (blockSize_ == 0) {
            blockSize_ = kMemoBlockSize;
        }
    } else if (got < 4) {
        file_.Close();
        RaiseEngineError(210, path + " is not a memo file. (Header is too short) [USE]");
    }
    if (blockSize_ < kMinBlockSize) {
        file_.Close();
        RaiseEngineError(210, path + " is not a memo file. (Invalid block size) [USE]");
    }
}

void MemoFile::Close() {
    file_.Close();
}

uint64_t MemoFile::FileSize() const {
    const int64_t size = file_.Size();
    return size < 0 ? 0 : static_cast<uint64_t>(size);
}

uint32_t MemoFile::BlocksInFile() const {
    return static_cast<uint32_t>(
        std::min<uint64_t>((FileSize() + blockSize_ - 1) / blockSize_, UINT32_MAX));
}

std::string MemoFile::ReadText(uint32_t block, uint32_t recNo) const {
    if (block == 0) {
        return {};
    }
    const std::string where = path_ + " Record # " + std::to_string(recNo) + " [GetMemo]";
    const uint64_t size = FileSize();
    const uint64_t start = static_cast<uint64_t>(block) * blockSize_;
    if (start >= size) {
        RaiseEngineError(1003, where);
    }
    std::array<unsigned char, kMemoBlockHeader> head{};
    const int64_t got = file_.ReadAt(start, head.data(), head.size());
    if (got < 0) {
        RaiseEngineError(100, where);
    }
    uint64_t textStart = start;
    uint64_t textLength = 0;
    bool toEndMark = false;
    if (kind_ == MemoKind::FoxPro) {
        if (got < kMemoBlockHeader) {
            RaiseEngineError(213, where);
        }
        textStart = start + kMemoBlockHeader;
        textLength = GetBe32(head.data() + 4);
    } else if (kind_ == MemoKind::Dbase4 && got == kMemoBlockHeader &&
               std::memcmp(head.data(), kMemoBlockSignature, 4) == 0) {
        const uint32_t stored = GetLe32(head.data() + 4);
        if (stored < static_cast<uint32_t>(kMemoBlockHeader)) {
            RaiseEngineError(1003, where);
        }
        textStart = start + kMemoBlockHeader;
        textLength = stored - kMemoBlockHeader;
    } else {
        toEndMark = true;
    }
    if (!toEndMark) {
        if (textLength > size - std::min(size, textStart)) {
            RaiseEngineError(213, where);
        }
        std::string text(textLength, '\0');
        if (file_.ReadAt(textStart, text.data(), text.size()) != static_cast<int64_t>(textLength)) {
            RaiseEngineError(213, where);
        }
        return text;
    }
    // dBASE III: the text runs to the first 0x1A (or the end of the file).
    std::string text;
    uint64_t at = textStart;
    char chunk[kReadChunk];
    while (at < size && text.size() < kMaxUnmarkedMemo) {
        const int64_t n = file_.ReadAt(at, chunk, sizeof chunk);
        if (n <= 0) {
            break;
        }
        const char* end = static_cast<const char*>(std::memchr(chunk, kEndOfFile, n));
        if (end != nullptr) {
            text.append(chunk, static_cast<size_t>(end - chunk));
            break;
        }
        text.append(chunk, static_cast<size_t>(n));
        at += static_cast<uint64_t>(n);
    }
    return text;
}

std::vector<std::string> MemoFile::GetMemo(uint32_t block, uint32_t recNo) const {
    return SplitMemoLines(ReadText(block, recNo));
}

uint32_t MemoFile::AddMemo(std::string_view text, bool resetFreeChain) {
    return Store(text, 0, resetFreeChain, false, "AddMemo");
}

uint32_t MemoFile::EditMemo(std::string_view text, uint32_t oldBlock, bool keepOldRun) {
    return Store(text, oldBlock, false, keepOldRun, "EditMemo/CloseMemo");
}

void MemoFile::WriteFailed(const char* routine) const {
    const int number = (errno == ENOSPC || errno == EFBIG || errno == EDQUOT) ? 1004 : 29;
    RaiseEngineError(number, path_ + " [" + routine + "]");
}

uint32_t MemoFile::ReadWord(uint64_t offset, const char* routine) const {
    unsigned char bytes[4] = {};
    if (file_.ReadAt(offset, bytes, 4) != 4) {
        RaiseEngineError(213, path_ + " [" + routine + "]");
    }
    return kind_ == MemoKind::FoxPro ? GetBe32(bytes) : GetLe32(bytes);
}

void MemoFile::WriteWord(uint64_t offset, uint32_t value, const char* routine) {
    unsigned char bytes[4];
    if (kind_ == MemoKind::FoxPro) {
        PutBe32(bytes, value);
    } else {
        PutLe32(bytes, value);
    }
    if (!file_.WriteAt(offset, bytes, 4)) {
        WriteFailed(routine);
    }
}

void MemoFile::PadToBlock(const char* routine) {
    const uint64_t size = FileSize();
    const uint64_t whole = (size + blockSize_ - 1) / blockSize_ * blockSize_;
    if (whole > size) {
        const std::string zeros(whole - size, '\0');
        if (!file_.WriteAt(size, zeros.data(), zeros.size())) {
            WriteFailed(routine);
        }
    }
}

uint32_t MemoFile::Store(std::string_view text, uint32_t oldBlock, bool resetFreeChain,
                         bool keepOldRun, const char* routine) {
    if (text.empty()) {
        return 0;
    }
    if (!file_.Writable()) {
        errno = EACCES;
        RaiseEngineError(5, path_ + " [" + routine + "]");
    }
    if (FreeDiskBytes(path_) < text.size() + 2 * static_cast<uint64_t>(blockSize_)) {
        RaiseEngineError(1004, path_ + " [" + routine + "]");
    }
    // The memo file's lock byte orders the writers of a shared memo file.
    std::optional<ByteRangeLock> lock;
    if (shared_) {
        lock.emplace(file_, kMemoLockOffset, 1, true, kMemoLockWait);
        if (!lock->Held()) {
            RaiseEngineError(1017, path_ + " [" + routine + "]");
        }
    }
    uint32_t block = 0;
    if (kind_ == MemoKind::Dbase4) {
        block = StoreDbase4(text, oldBlock, resetFreeChain, keepOldRun, routine);
    } else {
        block = StoreAppended(text, routine);
    }
    if (FlushWrites()) {
        file_.Sync();
    }
    if (lock && !lock->Release()) {
        RaiseEngineError(1018, path_ + " [" + routine + "]");
    }
    return block;
}

uint32_t MemoFile::RunLength(uint32_t block) const {
    if (block == 0) {
        return 0;
    }
    unsigned char head[kMemoBlockHeader] = {};
    if (file_.ReadAt(static_cast<uint64_t>(block) * blockSize_, head, sizeof head) !=
            kMemoBlockHeader ||
        std::memcmp(head, kMemoBlockSignature, 4) != 0) {
        return 0;
    }
    // The blocks the memo really covers. (Counting stored / size + 1 would
    // claim one block too many for a memo of a whole number of blocks, and
    // an edit in place could then overwrite the memo stored after it.)
    const uint64_t stored = GetLe32(head + 4);
    const uint64_t run = (stored + blockSize_ - 1) / blockSize_;
    // A length word that reaches beyond the file, or over the start of a
    // memo stored after this one, is damaged: the run is not reused, so
    // that no other memo's blocks are written over or freed.
    if (run == 0 || run > BlocksInFile() - block) {
        return 0;
    }
    if (StoredMemoWithin(static_cast<uint64_t>(block) + 1, block + run)) {
        return 0;
    }
    return static_cast<uint32_t>(run);
}

bool MemoFile::StoredMemoWithin(uint64_t from, uint64_t to) const {
    for (uint64_t b = from; b < to; ++b) {
        unsigned char head[4] = {};
        if (file_.ReadAt(b * blockSize_, head, sizeof head) == 4 &&
            std::memcmp(head, kMemoBlockSignature, 4) == 0) {
            return true;
        }
    }
    return false;
}

void MemoFile::FreeRun(uint32_t block, uint32_t length, const char* routine) {
    // Insert the run into the free chain in ascending block order.
    const uint32_t blocks = BlocksInFile();
    uint64_t linkAt = 0;
    uint32_t next = ReadWord(0, routine);
    for (int visited = 0; visited < kFreeChainMaxRuns && next < blocks && next < block &&
                          (next & 0xFFFF) != kNoLinkLow && next != 0;
         ++visited) {
        linkAt = static_cast<uint64_t>(next) * blockSize_;
        next = ReadWord(linkAt, routine);
    }
    if (next == block) {
        // Already on the chain (a damaged file): linking it again would make
        // the chain loop into itself.
        return;
    }
    WriteWord(static_cast<uint64_t>(block) * blockSize_, next, routine);
    WriteWord(static_cast<uint64_t>(block) * blockSize_ + 4, length, routine);
    WriteWord(linkAt, block, routine);
}

uint32_t MemoFile::StoreDbase4(std::string_view text, uint32_t oldBlock, bool resetFreeChain,
                               bool keepOldRun, const char* routine) {
    const uint64_t stored = text.size() + kMemoBlockHeader;
    if (stored > UINT32_MAX) {
        RaiseEngineError(1005, path_ + " [" + routine + "]");
    }
    const auto k = static_cast<uint32_t>(stored / blockSize_ + 1);
    PadToBlock(routine);
    uint32_t blocks = BlocksInFile();
    uint32_t target = 0;
    const uint32_t oldRun = oldBlock < blocks ? RunLength(oldBlock) : 0;
    if (oldRun >= k) {
        target = oldBlock;
        if (oldRun > k) {
            FreeRun(oldBlock + k, oldRun - k, routine);
        }
    } else {
        if (oldRun > 0 && !keepOldRun) {
            FreeRun(oldBlock, oldRun, routine);
        }
        uint64_t linkAt = 0;
        uint32_t current = ReadWord(0, routine);
        int visited = 0;
        while (visited < kFreeChainMaxRuns && current < blocks && current != 0 &&
               (current & 0xFFFF) != kNoLinkLow) {
            const uint64_t at = static_cast<uint64_t>(current) * blockSize_;
            const uint32_t next = ReadWord(at, routine);
            const uint32_t length = ReadWord(at + 4, routine);
            if (next == kStoredMemoWord || next == current) {
                // A chain that leads to a stored memo, or into itself, is
                // damaged: the walk ends here and the memo goes at the end.
                break;
            }
            if (length >= k && length <= blocks - current) {
                // The blocks written (and, when the run is split, the block
                // that takes its tail's header) must not hold a stored memo:
                // a run that does is damaged, and the walk ends.
                const uint64_t end = static_cast<uint64_t>(current) + k + (length > k ? 1 : 0);
                if (StoredMemoWithin(static_cast<uint64_t>(current) + 1, end)) {
                    break;
                }
                if (length > k) {
                    const uint64_t tail = static_cast<uint64_t>(current + k) * blockSize_;
                    WriteWord(tail, next, routine);
                    WriteWord(tail + 4, length - k, routine);
                    WriteWord(linkAt, current + k, routine);
                } else {
                    WriteWord(linkAt, next, routine);
                }
                target = current;
                break;
            }
            linkAt = at;
            current = next;
            ++visited;
        }
        if (target == 0) {
            target = std::max<uint32_t>(blocks, 1);
            WriteWord(linkAt, target + k, routine);
        }
    }
    std::string bytes(kMemoBlockHeader, '\0');
    std::memcpy(bytes.data(), kMemoBlockSignature, 4);
    PutLe32(reinterpret_cast<unsigned char*>(bytes.data()) + 4, static_cast<uint32_t>(stored));
    bytes.append(text);
    if (!file_.WriteAt(static_cast<uint64_t>(target) * blockSize_, bytes.data(), bytes.size())) {
        WriteFailed(routine);
    }
    if (resetFreeChain) {
        WriteWord(0, BlocksInFile(), routine);
    }
    return target;
}

uint32_t MemoFile::StoreAppended(std::string_view text, const char* routine) {
    // dBASE III and FoxPro memo files grow at the end; the header holds the
    // next free block.
    PadToBlock(routine);
    // The new memo goes at the end of the file, whatever the header's next
    // free block says: a damaged header must not send a write far beyond the
    // end (or back over stored memos).
    // A FoxPro header takes the first 512 bytes whatever the block size.
    const uint32_t headerBlocks =
        kind_ == MemoKind::FoxPro ? (kMemoBlockSize + blockSize_ - 1) / blockSize_ : 1;
    const uint32_t target = std::max<uint32_t>(BlocksInFile(), headerBlocks);
    std::string bytes;
    if (kind_ == MemoKind::FoxPro) {
        bytes.assign(kMemoBlockHeader, '\0');
        auto* p = reinterpret_cast<unsigned char*>(bytes.data());
        PutBe32(p, kFoxProTextType);
        PutBe32(p + 4, static_cast<uint32_t>(text.size()));
        bytes.append(text);
    } else {
        bytes.assign(text);
        bytes.append(2, kEndOfFile);
    }
    const uint64_t used = (bytes.size() + blockSize_ - 1) / blockSize_;
    bytes.resize(used * blockSize_, '\0');
    if (!file_.WriteAt(static_cast<uint64_t>(target) * blockSize_, bytes.data(), bytes.size())) {
        WriteFailed(routine);
    }
    WriteWord(0, static_cast<uint32_t>(target + used), routine);
    return target;
}

} // namespace vell3::tables
