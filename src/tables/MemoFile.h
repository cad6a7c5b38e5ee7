#pragma once

#include "PosixFile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vell3::tables {

// The formats of a table's companion memo file, chosen by the table's
// version byte.
enum class MemoKind {
    Dbase4, // ".dbt", blocks with an FF FF 08 00 header, free chain (0x8B, 0x8C)
    Dbase3, // ".dbt", text ended by 0x1A (0x83)
    FoxPro, // ".fpt", big-endian block header with type and length (0xF5, 0x30)
};

MemoKind MemoKindOf(uint8_t version);
std::string MemoExtension(MemoKind kind); // "DBT" or "FPT"

// Splits memo text into its lines at CR LF and at the soft return 0x8D LF
// (a final line end adds no empty line); at most 1024 lines of at most 253
// characters, as the engine reads them.
std::vector<std::string> SplitMemoLines(std::string_view text);

// Whether each memo store is flushed to the disk before it returns (on by
// default, so that a crash loses no stored memo). Work on throwaway files
// (the fuzzer) switches it off.
void SetFlushMemoWrites(bool on);

// One open memo file.
class MemoFile {
public:
    // Writes the 24-byte header of a new, empty dBASE IV memo file.
    static void CreateMemofile(const std::string& path, const std::string& tableBaseName);
    // An empty memo file of any kind and block size (the pack's new file).
    static void CreateEmpty(const std::string& path, MemoKind kind, uint32_t blockSize,
                            const std::string& tableBaseName);

    // Opens the memo file of a table; "Memo file not found: <name> [USE]".
    void Open(const std::string& path, MemoKind kind, bool writable, bool shared);
    void Close();
    bool IsOpen() const { return file_.IsOpen(); }
    const std::string& Path() const { return path_; }
    MemoKind Kind() const { return kind_; }
    uint32_t BlockSize() const { return blockSize_; }

    // The raw text bytes of the memo at block (block 0: empty). recNo names
    // the record in error details.
    std::string ReadText(uint32_t block, uint32_t recNo) const;
    // GetMemo: the memo's lines.
    std::vector<std::string> GetMemo(uint32_t block, uint32_t recNo) const;

    // AddMemo: stores text as a new memo and returns its first block (0 for an
    // empty text). After a store made for a list of lines the head of the free
    // chain is set to the end of the file.
    uint32_t AddMemo(std::string_view text, bool resetFreeChain);
    // EditMemo/CloseMemo: stores text in place of the memo at oldBlock when it
    // fits there, else elsewhere; the old run is then freed unless
    // keepOldRun (a record on disk still points at it).
    uint32_t EditMemo(std::string_view text, uint32_t oldBlock, bool keepOldRun = false);

    uint64_t FileSize() const;

private:
    uint32_t Store(std::string_view text, uint32_t oldBlock, bool resetFreeChain, bool keepOldRun,
                   const char* routine);
    uint32_t StoreDbase4(std::string_view text, uint32_t oldBlock, bool resetFreeChain,
                         bool keepOldRun, const char* routine);
    uint32_t StoreAppended(std::string_view text, const char* routine);
    uint32_t RunLength(uint32_t block) const; // blocks of the stored memo at block, 0 if none
    // Whether a block in [from, to) starts with a stored memo's header.
    bool StoredMemoWithin(uint64_t from, uint64_t to) const;
    uint32_t BlocksInFile() const;
    void FreeRun(uint32_t block, uint32_t length, const char* routine);
    uint32_t ReadWord(uint64_t offset, const char* routine) const;
    void WriteWord(uint64_t offset, uint32_t value, const char* routine);
    void PadToBlock(const char* routine);
    [[noreturn]] void WriteFailed(const char* routine) const;

    PosixFile file_;
    std::string path_;
    MemoKind kind_ = MemoKind::Dbase4;
    uint32_t blockSize_ = 512;
    bool shared_ = false;
};

} // namespace vell3::tables
