// The dataset face: the states, posting and typed fields the data-aware
// controls work through.

#include "DatasetError.h"
#include "DbfLayout.h"
#include "FieldCodec.h"
#include "TTzDbf.h"
#include "Text.h"
#include "Warnings.h"

namespace vell3::tables {

namespace {

// Memo text is translated only when it looks like text: its first piece
// holds no control byte other than TAB, LF, CR, 0x0F, 0x14 and 0x15.
bool LooksLikeText(std::string_view text, size_t piece) {
    for (char c : text.substr(0, piece)) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && u != 0x09 && u != 0x0A && u != 0x0D && u != 0x0F && u != 0x14 &&
            u != 0x15) {
            return false;
        }
    }
    return true;
}

} // namespace

// The record lock taken for a post, delete or restore goes with it, also
// when the write fails.
struct TTzDbf::RecordLockRelease {
    TTzDbf& table;
    uint32_t recNo;
    ~RecordLockRelease() { table.ReleaseRecordLock(recNo); }
};

namespace {

[[noreturn]] void WrongType(std::string_view fieldName) {
    throw DatasetError("Invalid type conversion for field '" + std::string(fieldName) + "'");
}

} // namespace

DatasetState TTzDbf::State() const {
    return file_.IsOpen() ? state_ : DatasetState::Inactive;
}

void TTzDbf::RequireEditing() const {
    if (state_ != DatasetState::Edit && state_ != DatasetState::Insert) {
        throw DatasetError("Dataset not in edit or insert mode");
    }
}

void TTzDbf::Edit() {
    if (!file_.IsOpen()) {
        throw DatasetError("Cannot perform this operation on a closed dataset");
    }
    if (readOnly_) {
        throw DatasetError("Cannot modify a read-only dataset");
    }
    if (state_ == DatasetState::Browse) {
        SyncCount();
        if (recNo_ == 0 || file_.Count() == 0) {
            Insert();
            return;
        }
        savedRecord_ = record_;
        state_ = DatasetState::Edit;
    }
}

void TTzDbf::Insert() {
    if (!file_.IsOpen()) {
        throw DatasetError("Cannot perform this operation on a closed dataset");
    }
    if (readOnly_) {
        throw DatasetError("Cannot modify a read-only dataset");
    }
    DiscardEdit();
    savedRecord_ = record_;
    record_.assign(static_cast<size_t>(file_.RecordLength()), ' ');
    for (const auto& field : file_.Fields()) {
        BlankField(record_, field);
    }
    state_ = DatasetState::Insert;
}

void TTzDbf::Post() {
    if (!file_.IsOpen()) {
        throw DatasetError("Cannot perform this operation on a closed dataset");
    }
    if (state_ == DatasetState::Edit) {
        if (!TryRecordLock(recNo_)) {
            ShowWarning("Lock failed [Post]");
            return;
        }
        {
            const RecordLockRelease release{*this, recNo_};
            file_.PutDbfRecord(recNo_, record_);
            UpdateIndexFor(recNo_);
            position_ = PositionOfCurrent();
        }
        state_ = DatasetState::Browse;
    } else if (state_ == DatasetState::Insert) {
        if (lockState_ == LockState::Append) {
            AppendBuffer("APPEND");
        } else {
            // The lock taken for this post goes with it, also when the
            // append fails.
            const AppendLockHold lock(*this);
            if (!lock.Held()) {
                ShowWarning("Lock failed [Insert]");
                return;
            }
            AppendBuffer("APPEND");
        }
        state_ = DatasetState::Browse;
    }
}

void TTzDbf::Cancel() {
    if (state_ == DatasetState::Insert && recNo_ == 0) {
        DiscardEdit();
        SetEmptyPosition();
        return;
    }
    DiscardEdit();
}

void TTzDbf::Delete() {
    if (!file_.IsOpen()) {
        throw DatasetError("Cannot perform this operation on a closed dataset");
    }
    if (readOnly_) {
        throw DatasetError("Cannot modify a read-only dataset");
    }
    if (state_ == DatasetState::Insert) {
        Cancel();
        return;
    }
    DiscardEdit();
    if (recNo_ == 0) {
        return;
    }
    const bool restore = Deleted();
    if (!TryRecordLock(recNo_)) {
        ShowWarning(restore ? "Lock failed [Restore]" : "Lock failed [Delete]");
        return;
    }
    const RecordLockRelease release{*this, recNo_};
    file_.WriteDeletionFlag(recNo_, !restore);
    record_[0] = restore ? layout::kLiveRecord : layout::kDeletedRecord;
}

void TTzDbf::Refresh() {
    if (!file_.IsOpen()) {
        throw DatasetError("Cannot perform this operation on a closed dataset");
    }
    DiscardEdit();
    SyncCount();
    if (recNo_ >= 1 && recNo_ <= file_.Count()) {
        LoadRecord(recNo_);
    } else {
        First();
    }
}

std::string TTzDbf::FieldAsString(std::string_view fieldName) {
    const FieldInfo& field = DatasetField(fieldName);
    const std::string_view raw = RawField(record_, field);
    switch (field.type) {
    case 'C': {
        std::string text = DecodeText(raw, Translates());
        while (!text.empty() && text.back() == ' ') {
            text.pop_back();
        }
        return text;
    }
    case 'M':
        return FieldAsMemoText(fieldName);
    case 'N':
    case 'F':
        return Trim(raw);
    default:
        return GetField(fieldName);
    }
}

void TTzDbf::SetFieldAsString(std::string_view fieldName, std::string_view value) {
    const FieldInfo& field = DatasetField(fieldName);
    RequireEditing();
    if (field.type == 'M') {
        SetFieldAsMemoText(fieldName, value);
        return;
    }
    SetField(fieldName, value);
}

std::optional<DbfDate> TTzDbf::FieldAsDate(std::string_view fieldName) {
    const FieldInfo& field = DatasetField(fieldName);
    if (field.type != 'D') {
        WrongType(fieldName);
    }
    return DateFromDigits(RawField(record_, field));
}

void TTzDbf::SetFieldAsDate(std::string_view fieldName, const std::optional<DbfDate>& value) {
    const FieldInfo& field = DatasetField(fieldName);
    if (field.type != 'D') {
        WrongType(fieldName);
    }
    RequireEditing();
    PutRawField(record_, field, DateDigits(value));
}

std::optional<double> TTzDbf::FieldAsNumber(std::string_view fieldName) {
    const FieldInfo& field = DatasetField(fieldName);
    if (field.type != 'N' && field.type != 'F') {
        WrongType(fieldName);
    }
    return ParseNumberField(RawField(record_, field));
}

void TTzDbf::SetFieldAsNumber(std::string_view fieldName, std::optional<double> value) {
    const FieldInfo& field = DatasetField(fieldName);
    if (field.type != 'N' && field.type != 'F') {
        WrongType(fieldName);
    }
    RequireEditing();
    PutRawField(record_, field, value ? FormatNumber(*value, field.length, field.decimals) : "");
}

bool TTzDbf::FieldAsBoolean(std::string_view fieldName) {
    const FieldInfo& field = DatasetField(fieldName);
    if (field.type != 'L') {
        WrongType(fieldName);
    }
    return ParseLogical(RawField(record_, field));
}

void TTzDbf::SetFieldAsBoolean(std::string_view fieldName, bool value) {
    const FieldInfo& field = DatasetField(fieldName);
    if (field.type != 'L') {
        WrongType(fieldName);
    }
    RequireEditing();
    PutRawField(record_, field, value ? "T" : "F");
}

std::string TTzDbf::MemoTextForDataset(uint32_t block) {
    if (block == 0 || !file_.HasMemo()) {
        return {};
    }
    std::string text = file_.Memo().ReadText(block, recNo_);
    if (Translates() && LooksLikeText(text, file_.Memo().BlockSize())) {
        return DecodeText(text, true);
    }
    return text;
}

std::string TTzDbf::FieldAsMemoText(std::string_view fieldName) {
    const FieldInfo& field = DatasetField(fieldName);
    if (field.type != 'M') {
        WrongType(fieldName);
    }
    return MemoTextForDataset(ParseMemoBlock(RawField(record_, field)));
}

void TTzDbf::SetFieldAsMemoText(std::string_view fieldName, std::string_view text) {
    const FieldInfo& field = DatasetField(fieldName);
    if (field.type != 'M') {
        WrongType(fieldName);
    }
    RequireEditing();
    if (!file_.HasMemo()) {
        throw DatasetError("Field '" + std::string(fieldName) + "' has no memo file");
    }
    const std::string bytes = Translates() && LooksLikeText(text, file_.Memo().BlockSize())
                                  ? EncodeText(text, true)
                                  : std::string(text);
    uint32_t oldBlock = ParseMemoBlock(RawField(record_, field));
    bool keepOldRun = false;
    if (state_ == DatasetState::Edit && recNo_ >= 1 && oldBlock != 0) {
        // Until the post, the record on disk points at its old memo: a
        // cancel or a refused post must find it intact, so its run is not
        // freed when the new text moves elsewhere. When another program has
        // changed the record's memo meanwhile, the old block may already
        // belong to another record and is not touched at all.
        const uint32_t savedBlock = ParseMemoBlock(RawField(savedRecord_, field));
        uint32_t diskBlock = savedBlock;
        if (Shared()) {
            std::string onDisk;
            file_.GetDbfRecord(recNo_, onDisk);
            diskBlock = ParseMemoBlock(RawField(onDisk, field));
        }
        if (oldBlock == diskBlock) {
            keepOldRun = true;
        } else if (oldBlock == savedBlock) {
            oldBlock = 0;
        }
    }
    const uint32_t block = file_.Memo().EditMemo(bytes, oldBlock, keepOldRun);
    PutRawField(record_, field, FormatMemoBlock(block));
}

std::string TTzDbf::RawFieldBytes(std::string_view fieldName) {
    return std::string(RawField(record_, DatasetField(fieldName)));
}

} // namespace vell3::tables
