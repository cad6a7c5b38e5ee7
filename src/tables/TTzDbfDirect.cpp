// The direct face: the named operations the program calls.

#include "DatasetError.h"
#include "DbfLayout.h"
#include "EngineError.h"
#include "FieldCodec.h"
#include "LockRetry.h"
#include "TTzDbf.h"

#include "LockRetry.h"
#include "Text.h"

namespace vell3::tables {

namespace {

// The memo writer of SetMField: every piece (an entry, or the line break
// between entries) loses its CR, LF and soft-return bytes; a piece that held
// a CR ends the current line.
std::vector<std::string> CollectMemoLines(const std::vector<std::string>& entries) {
    std::vector<std::string> lines;
    std::string current;
    auto feed = [&](std::string_view piece) {
        bool endsLine = false;
        for (char c : piece) {
            if (c == '\r') {
                endsLine = true;
            } else if (c != '\n' && c != layout::kSoftReturn) {
                current.push_back(c);
            }
        }
        if (endsLine) {
            lines.push_back(std::move(current));
            current.clear();
        }
    };
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) {
            feed("\r\n");
        }
        feed(entries[i]);
    }
    if (!current.empty()) {
        lines.push_back(std::move(current));
    }
    return lines;
}

} // namespace

void TTzDbf::BeginDirectEdit() {
    if (state_ == DatasetState::Browse) {
        savedRecord_ = record_;
        SyncCount();
        state_ = file_.Count() == 0 ? DatasetState::Insert : DatasetState::Edit;
    }
}

void TTzDbf::DiscardEdit() {
    if (state_ == DatasetState::Edit || state_ == DatasetState::Insert) {
        record_ = savedRecord_;
        state_ = DatasetState::Browse;
    }
}

void TTzDbf::ClearRecord() {
    RequireOpen("ClearRecord");
    BeginDirectEdit();
    record_.assign(static_cast<size_t>(file_.RecordLength()), ' ');
    for (const auto& field : file_.Fields()) {
        BlankField(record_, field);
    }
}

uint32_t TTzDbf::AppendBuffer(const char* routine) {
    if (Shared() && lockState_ != LockState::Append && lockState_ != LockState::File) {
        RaiseEngineError(5, "File must be locked to append: " + fileName_ + " [" + routine + "]");
    }
    SyncCount();
    const uint32_t n = file_.PutDbfRecord(file_.Count() + 1, record_);
    recNo_ = n;
    UpdateIndexFor(n);
    position_ = -1;
    position_ = PositionOfCurrent();
    eof_ = bof_ = false;
    return n;
}

void TTzDbf::AppendRec() {
    RequireOpen("AppendRec");
    AppendBuffer("APPEND");
    state_ = DatasetState::Browse;
}

void TTzDbf::DeleteRec() {
    RequireOpen("DeleteRec");
    DiscardEdit();
    if (Shared() && lockState_ != LockState::File &&
        !(lockState_ == LockState::Records && lockedRecords_.contains(recNo_))) {
        RaiseEngineError(1200, fileName_ + " Record not locked [DeleteRec]");
    }
    if (recNo_ >= 1 && recNo_ <= file_.Count()) {
        record_[0] = layout::kDeletedRecord;
        file_.WriteDeletionFlag(recNo_, true);
    }
}

std::string TTzDbf::GetField(std::string_view fieldName) {
    const FieldInfo& field = DatasetField(fieldName);
    const std::string_view raw = RawField(record_, field);
    switch (field.type) {
    case 'L':
        return ParseLogical(raw) ? "T" : "F";
    case 'D': {
        const auto date = DateFromDigits(raw);
        return date ? FormatShortDate(*date) : std::string();
    }
    case 'M':
        return DecodeText(file_.HasMemo() ? file_.Memo().ReadText(ParseMemoBlock(raw), recNo_)
                                          : std::string(),
                          Translates());
    default:
        return DecodeText(raw, Translates());
    }
}

void TTzDbf::SetField(std::string_view fieldName, std::string_view value) {
    const FieldInfo& field = DatasetField(fieldName);
    BeginDirectEdit();
    switch (field.type) {
    case 'D':
        PutRawField(record_, field, DateDigits(ParseShortDate(value)));
        break;
    case 'L':
        PutRawField(record_, field, ParseLogical(value) ? "T" : "F");
        break;
    case 'N':
    case 'F': {
        const std::string text = Trim(value);
        if (text.empty()) {
            PutRawField(record_, field, "");
            break;
        }
        size_t used = 0;
        const auto number = ParseDecimal(text, used);
        if (!number || used != text.size()) {
            throw DatasetError("'" + std::string(value) + "' is not a valid floating point value");
        }
        PutRawField(record_, field, FormatNumber(*number, field.length, field.decimals));
        break;
    }
    case 'M': {
        if (!file_.HasMemo()) {
            RaiseEngineError(1019, file_.Path() + " [SetField]");
        }
        const uint32_t block = file_.Memo().AddMemo(EncodeText(value, Translates()), true);
        PutRawField(record_, field, FormatMemoBlock(block));
        break;
    }
    default:
        PutRawField(record_, field, EncodeText(value, Translates()));
        break;
    }
}

void TTzDbf::SetField(std::string_view fieldName, const ShortString& value) {
    SetField(fieldName, std::string_view(value.text));
}

void TTzDbf::GetMField(std::string_view fieldName, std::vector<std::string>& lines) {
    RequireOpen("GetMField");
    const FieldInfo& field = MemoField(fieldName, "GetMField");
    lines.clear();
    const uint32_t block = ParseMemoBlock(RawField(record_, field));
    if (block == 0) {
        return;
    }
    for (auto& line : file_.Memo().GetMemo(block, recNo_)) {
        lines.push_back(DecodeText(line, Translates()));
    }
}

void TTzDbf::SetMField(std::string_view fieldName, const std::vector<std::string>& lines) {
    RequireOpen("SetMField");
    const FieldInfo& field = MemoField(fieldName, "SetMField");
    BeginDirectEdit();
    std::vector<std::string> encoded;
    encoded.reserve(lines.size());
    for (const auto& line : lines) {
        encoded.push_back(EncodeText(line, Translates()));
    }
    std::string text;
    for (const auto& line : CollectMemoLines(encoded)) {
        text += line;
        text += "\r\n";
    }
    const uint32_t block = file_.Memo().AddMemo(text, true);
    PutRawField(record_, field, FormatMemoBlock(block));
}

bool TTzDbf::ALock() {
    RequireOpen("ALock");
    if (lockState_ == LockState::Append) {
        return true;
    }
    if (lockState_ != LockState::None) {
        return false;
    }
    if (!Shared() || file_.File().TryLock(layout::kAppendLockOffset, 1, true)) {
        lockState_ = LockState::Append;
        return true;
    }
    return false;
}

bool TTzDbf::ALockWithin(std::chrono::milliseconds wait) {
    RequireOpen("ALock");
    return RetryFor(wait, kLockRetryPause, [this] { return ALock(); });
}

void TTzDbf::UnLock() {
    RequireOpen("UnLock");
    if (Shared()) {
        if (lockState_ == LockState::Append) {
            file_.File().Unlock(layout::kAppendLockOffset, 1);
        } else if (lockState_ == LockState::Records) {
            for (uint32_t rec : lockedRecords_) {
                file_.File().Unlock(layout::kLockRegion + file_.HeaderLength() +
                                        static_cast<uint64_t>(rec - 1) * file_.RecordLength(),
                                    static_cast<uint64_t>(file_.RecordLength()));
            }
        }
    }
    lockedRecords_.clear();
    lockState_ = LockState::None;
}

bool TTzDbf::TryRecordLock(uint32_t recNo) {
    if (lockState_ == LockState::Records && lockedRecords_.contains(recNo)) {
        return true;
    }
    if (lockState_ != LockState::None && lockState_ != LockState::Records) {
        return false;
    }
    if (Shared() &&
        !file_.File().TryLock(layout::kLockRegion + file_.HeaderLength() +
                                  static_cast<uint64_t>(recNo - 1) * file_.RecordLength(),
                              static_cast<uint64_t>(file_.RecordLength()), true)) {
        return false;
    }
    lockedRecords_.insert(recNo);
    lockState_ = LockState::Records;
    return true;
}

void TTzDbf::ReleaseRecordLock(uint32_t recNo) {
    if (!lockedRecords_.contains(recNo)) {
        return;
    }
    if (Shared()) {
        file_.File().Unlock(layout::kLockRegion + file_.HeaderLength() +
                                static_cast<uint64_t>(recNo - 1) * file_.RecordLength(),
                            static_cast<uint64_t>(file_.RecordLength()));
    }
    lockedRecords_.erase(recNo);
    if (lockedRecords_.empty()) {
        lockState_ = LockState::None;
    }
}

} // namespace vell3::tables
