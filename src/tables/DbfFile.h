#pragma once

#include "FieldDef.h"
#include "MemoFile.h"
#include "PosixFile.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vell3::tables {

// How a table file is opened.
struct OpenMode {
    bool exclusive = false;
    bool readOnly = false;
    bool autoFixRecCount = false;
};

// The file layer: one open dBASE table file with its memo file. Records move
// between the file and a raw record buffer (code page 437 bytes as on disk)
// with one positioned read or write each.
class DbfFile {
public:
    DbfFile() = default;
    ~DbfFile();
    DbfFile(const DbfFile&) = delete;
    DbfFile& operator=(const DbfFile&) = delete;

    // Writes a new, empty table (and its memo file when a field is M, B, G or
    // P), replacing files of those names.
    static void CreateDbf(const std::string& path, const std::vector<FieldDef>& defs);

    // Opens and validates the table and opens its memo file. On failure the
    // error is raised and nothing stays open.
    void OpenDbf(const std::string& path, const OpenMode& mode);
    // Brings the header up to date when the table was changed, writes the
    // end-of-file byte after appends and closes the files. appendLockHeld
    // tells whether the caller holds the append lock already.
    void CloseDbf(bool appendLockHeld);
    bool IsOpen() const { return file_.IsOpen(); }

    const std::string& Path() const { return path_; }
    uint8_t Version() const { return prolog_[0]; }
    // The version byte that decides the memo format.
    uint8_t GetMemoType() const { return prolog_[0]; }
    int HeaderLength() const { return headerLength_; }
    int RecordLength() const { return recordLength_; }
    const std::vector<FieldInfo>& Fields() const { return fields_; }
    bool HasMemo() const { return memo_.IsOpen(); }
    MemoFile& Memo() { return memo_; }
    const MemoFile& Memo() const { return memo_; }
    bool Exclusive() const { return mode_.exclusive; }
    bool ReadOnly() const { return mode_.readOnly; }
    PosixFile& File() { return file_; }
    const std::array<unsigned char, 32>& Prolog() const { return prolog_; }

    uint32_t Count() const { return count_; }
    void SetCount(uint32_t count) { count_ = count; }
    // (file size - header length) / record length: records other programs
    // appended are counted.
    uint32_t CountFromSize() const;

    // GetDbfRecord: record n (1 .. count) into buffer.
    void GetDbfRecord(uint32_t n, std::string& buffer) const;
    // PutDbfRecord: writes buffer as record n; n beyond the count appends at
    // count + 1. Returns the number written.
    uint32_t PutDbfRecord(uint32_t n, const std::string& buffer);
    // DeleteRec/RecallRec: writes only the deletion flag of record n.
    void WriteDeletionFlag(uint32_t n, bool deleted);

    // The header rewrite: today's date and the record count; after appends
    // the end-of-file byte.
    void RewriteHeader(bool appendLockHeld);
    // After a pack: the file ends after count records.
    void TruncateToCount();
    void MarkChanged() { changed_ = true; }
    bool Changed() const { return changed_ || appended_; }

    // Replaces the memo file with a freshly opened one (after PackMemofile).
    void ReopenMemo();

private:
    void ReadHeader();
    [[noreturn]] void Fail(int number, const std::string& detail);

    PosixFile file_;
    MemoFile memo_;
    std::string path_;
    OpenMode mode_;
    std::array<unsigned char, 32> prolog_{};
    int headerLength_ = 0;
    int recordLength_ = 0;
    std::vector<FieldInfo> fields_;
    uint32_t count_ = 0;
    bool changed_ = false;
    bool appended_ = false;
};

// The memo file that belongs to a table of this version.
std::string MemoFileName(const std::string& tablePath, uint8_t version);

} // namespace vell3::tables
