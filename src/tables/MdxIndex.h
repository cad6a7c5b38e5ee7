#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vell3::tables {

// One key of an index and the record it points to.
struct IndexEntry {
    std::string key; // the key bytes as stored in the index file
    uint32_t recNo = 0;
};

// A dBASE IV multiple-index file (".mdx") with one tag: 1024-byte nodes after
// a 2048-byte file header (header block and tag table), a tag header block,
// leaf nodes holding (record number, key) items in key order and interior
// nodes above them. C keys hold the field's bytes; D and N keys hold an IEEE
// double (the Julian day for a date), so that dates order by date.
class MdxIndex {
public:
    static constexpr const char* kTagName = "dummy_tag";

    // The key of a record for a field of this type and length.
    static std::string KeyOf(char type, std::string_view fieldBytes);

    // Starts a new index file for the table: its 2048-byte header is
    // written with the tags by MakeIndex.
    void CreateMdxHeader(const std::string& path, const std::string& tableBaseName);
    // Adds the tag "dummy_tag" on the expression with the keys of all
    // records (given in record order), sorts them and writes the file.
    void MakeIndex(const std::string& expression, char keyType, int keyLength,
                   std::vector<IndexEntry> entries);

    // SetIndexTo: reads and checks an existing index file. Damage is error
    // 222 (223 for a foreign version); a missing file error 2.
    void Read(const std::string& path);

    void Clear();
    bool IsOpen() const { return open_; }
    const std::string& Path() const { return path_; }
    const std::string& Expression() const { return expression_; }
    char KeyType() const { return keyType_; }
    int KeyLength() const { return keyLength_; }
    const std::vector<IndexEntry>& Entries() const { return entries_; }

    // The position of a record in key order, or -1.
    long PositionOf(uint32_t recNo) const;
    // Keeps the index current after an append or a change of a key: the
    // record's entry moves to its place and the file is rewritten.
    void Update(uint32_t recNo, const std::string& key);

private:
    void Write();
    void SortEntries();
    bool Less(const IndexEntry& a, const IndexEntry& b) const;

    bool open_ = false;
    std::string path_;
    std::string tableBaseName_;
    std::string expression_;
    char keyType_ = 'C';
    int keyLength_ = 0;
    std::vector<IndexEntry> entries_;
};

} // namespace vell3::tables
