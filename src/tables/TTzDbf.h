#pragma once

#include "DbfDate.h"
#include "DbfFile.h"
#include "FieldDef.h"
#include "MdxIndex.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vell3::tables {

enum class TableLanguage { tlOem, tlAnsi };
enum class CreateIndexMode { ciNotFound, ciAlways };
enum class LockState { None, Append, Records, File };
enum class DatasetState { Inactive, Browse, Edit, Insert };

// The short-text form of a field value: at most 10 characters, a longer
// value is cut (the form the program uses for dates).
struct ShortString {
    explicit ShortString(std::string_view value);
    std::string text;
};

// The table component: one table file with its memo and index files. It
// offers the direct face of named operations (AppendRec, ALock, GetMField
// ...) and the dataset face of the data-aware controls (states, navigation,
// typed fields, post, cancel, delete and restore). Text is UTF-8 above the
// component and code page 437 in the file (TableLanguage tlOem).
class TTzDbf {
public:
    explicit TTzDbf(std::string name = "TzDbf");
    ~TTzDbf();
    TTzDbf(const TTzDbf&) = delete;
    TTzDbf& operator=(const TTzDbf&) = delete;

    // Published properties.
    const std::string& Name() const { return name_; }
    const std::string& DbfFileName() const { return fileName_; }
    void SetDbfFileName(std::string_view name);
    const std::vector<std::string>& DbfFields() const { return dbfFields_; }
    void SetDbfFields(std::vector<std::string> lines) { dbfFields_ = std::move(lines); }
    bool CreateIfNotFound() const { return createIfNotFound_; }
    void SetCreateIfNotFound(bool on) { createIfNotFound_ = on; }
    bool HideDeletedRecs() const { return hideDeleted_; }
    void SetHideDeletedRecs(bool on) { hideDeleted_ = on; }
    enum TableLanguage TableLanguage() const { return language_; }
    void SetTableLanguage(enum TableLanguage language) { language_ = language; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on) { readOnly_ = on; }
    bool Exclusive() const { return exclusive_; }
    void SetExclusive(bool on);
    CreateIndexMode CreateIndex() const { return createIndex_; }
    void SetCreateIndex(CreateIndexMode mode) { createIndex_ = mode; }
    const std::vector<std::string>& IndexList() const { return indexList_; }
    void SetIndexList(std::vector<std::string> lines) { indexList_ = std::move(lines); }
    bool AutoFixRecCount() const { return autoFixRecCount_; }
    void SetAutoFixRecCount(bool on) { autoFixRecCount_ = on; }
    bool ShowProgress() const { return showProgress_; }
    void SetShowProgress(bool on) { showProgress_ = on; }
    bool Active() const { return file_.IsOpen(); }
    void SetActive(bool on);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }

    // What the open table is made of.
    const std::vector<FieldInfo>& Fields() const { return file_.Fields(); }
    uint8_t Version() const { return file_.Version(); }
    int HeaderLength() const { return file_.HeaderLength(); }
    int RecordLength() const { return file_.RecordLength(); }
    LockState Locks() const { return lockState_; }
    bool HasIndex() const { return index_.IsOpen(); }

    // Navigation in the current order (physical, or key order while an
    // index is open).
    void First();
    void Next();
    void Prior();
    void Last();
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    uint32_t RecNo() const { return recNo_; }
    uint32_t RecCount();
    bool Deleted() const;
    // Moves to a record by its physical number.
    void Go(uint32_t recNo);

    // The direct face.
    void AppendRec();
    void AppendFrom(std::string_view fileName);
    void DeleteRec();
    bool Pack();
    void ClearRecord();
    std::string GetField(std::string_view fieldName);
    void SetField(std::string_view fieldName, std::string_view value);
    void SetField(std::string_view fieldName, const ShortString& value);
    void GetMField(std::string_view fieldName, std::vector<std::string>& lines);
    void SetMField(std::string_view fieldName, const std::vector<std::string>& lines);
    bool ALock();
    // The append lock, tried again for up to `wait` while another program
    // holds it.
    bool ALockWithin(std::chrono::milliseconds wait);
    void UnLock();
    bool IndexOnOne(std::string_view keyExpression, std::string_view indexFileName);
    void SetIndexTo(const std::string& indexFile);

    // The dataset face.
    DatasetState State() const;
    void Edit();
    void Insert();
    void Post();
    void Cancel();
    void Delete();
    void Refresh();
    std::string FieldAsString(std::string_view fieldName);
    void SetFieldAsString(std::string_view fieldName, std::string_view value);
    std::optional<DbfDate> FieldAsDate(std::string_view fieldName);
    void SetFieldAsDate(std::string_view fieldName, const std::optional<DbfDate>& value);
    std::optional<double> FieldAsNumber(std::string_view fieldName);
    void SetFieldAsNumber(std::string_view fieldName, std::optional<double> value);
    bool FieldAsBoolean(std::string_view fieldName);
    void SetFieldAsBoolean(std::string_view fieldName, bool value);
    std::string FieldAsMemoText(std::string_view fieldName);
    void SetFieldAsMemoText(std::string_view fieldName, std::string_view text);

    // The raw bytes of a field of the current record (for tools that show
    // the file as it is), and the full memo text of a memo field.
    std::string RawFieldBytes(std::string_view fieldName);

private:
    void OpenTable();
    void CloseTable();
    void CreateFromFieldList();
    void Reopen(bool exclusive);
    void RequireOpen(const char* operation) const;
    [[noreturn]] void FieldNotFound(std::string_view fieldName) const;
    const FieldInfo& DatasetField(std::string_view fieldName) const;
    const FieldInfo& MemoField(std::string_view fieldName, const char* operation) const;
    bool Translates() const { return language_ == TableLanguage::tlOem; }
    bool Shared() const { return !file_.Exclusive(); }

    // Current record and order.
    void SyncCount();
    void LoadRecord(uint32_t recNo);
    void SetEmptyPosition();
    uint32_t OrderSize() const;
    uint32_t RecAt(uint32_t position) const;
    long PositionOfCurrent() const;
    void MoveFrom(long position, int step);

    // Editing.
    void BeginDirectEdit();
    void RequireEditing() const;
    void DiscardEdit();
    uint32_t AppendBuffer(const char* routine);
    void UpdateIndexFor(uint32_t recNo);
    bool TryRecordLock(uint32_t recNo);
    void ReleaseRecordLock(uint32_t recNo);
    struct RecordLockRelease;
    void CopyRecordFrom(TTzDbf& source, DbfFile& sourceFile, uint32_t recNo, bool sameLayout);
    std::string MemoTextForDataset(uint32_t block);

    // Index.
    void CloseIndex();
    std::string KeyOfRecord(const std::string& record) const;
    std::string IndexPathFor(std::string_view indexFileName) const;

    // Packing.
    void CompactRecords();
    void PackMemofile();

    std::string name_;
    std::string fileName_;
    std::vector<std::string> dbfFields_;
    bool createIfNotFound_ = true;
    bool hideDeleted_ = false;
    enum TableLanguage language_ = TableLanguage::tlOem;
    bool readOnly_ = false;
    bool exclusive_ = false;
    CreateIndexMode createIndex_ = CreateIndexMode::ciNotFound;
    std::vector<std::string> indexList_;
    bool autoFixRecCount_ = false;
    bool showProgress_ = true;

    DbfFile file_;
    int workArea_ = -1;
    std::string record_;      // the current record as on disk
    std::string savedRecord_; // the record before an edit began, for Cancel
    uint32_t recNo_ = 0;
    long position_ = -1; // in the current order
    bool eof_ = true;
    bool bof_ = true;
    DatasetState state_ = DatasetState::Inactive;
    LockState lockState_ = LockState::None;
    std::set<uint32_t> lockedRecords_;
    MdxIndex index_;
    int keyField_ = -1;
    bool semaphoreLoggedIn_ = false;
};

// The append lock of an open table held for the life of the object, so an
// append that fails part-way still lets the other programs in.
class AppendLockHold {
public:
    explicit AppendLockHold(TTzDbf& table,
                            std::chrono::milliseconds wait = std::chrono::milliseconds::zero())
        : table_(table), held_(table.ALockWithin(wait)) {}
    ~AppendLockHold() {
        if (held_ && table_.Active() && table_.Locks() == LockState::Append) {
            table_.UnLock();
        }
    }
    AppendLockHold(const AppendLockHold&) = delete;
    AppendLockHold& operator=(const AppendLockHold&) = delete;

    bool Held() const { return held_; }

private:
    TTzDbf& table_;
    bool held_;
};

} // namespace vell3::tables
