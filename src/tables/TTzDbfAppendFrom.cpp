// AppendFrom: all records of another table appended to this one.

#include "DbfDate.h"
#include "EngineError.h"
#include "FieldCodec.h"
#include "TTzDbf.h"
#include "TablePaths.h"
#include "Text.h"
#include "WorkAreas.h"

#include <memory>

namespace vell3::tables {

namespace {

bool SameLayout(const DbfFile& a, const DbfFile& b) {
    if (a.RecordLength() != b.RecordLength() || a.Fields().size() != b.Fields().size()) {
        return false;
    }
    for (size_t i = 0; i < a.Fields().size(); ++i) {
        const FieldInfo& x = a.Fields()[i];
        const FieldInfo& y = b.Fields()[i];
        if (x.name != y.name || x.type != y.type || x.length != y.length ||
            x.decimals != y.decimals || x.offset != y.offset) {
            return false;
        }
    }
    return true;
}

// A field value on its way between two field types.
struct Value {
    std::string text; // code page 437 bytes, no trailing blanks
    std::optional<double> number;
    std::optional<DbfDate> date;
    bool flag = false;
};

std::string TrimRight(std::string text) {
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

} // namespace

void TTzDbf::CopyRecordFrom(TTzDbf& source, DbfFile& sourceFile, uint32_t recNo, bool sameLayout) {
    std::string raw;
    sourceFile.GetDbfRecord(recNo, raw);
    if (sameLayout) {
        record_ = raw;
        for (const auto& field : file_.Fields()) {
            if (field.type != 'M') {
                continue;
            }
            const uint32_t block = ParseMemoBlock(RawField(raw, field));
            uint32_t copied = 0;
            if (block != 0 && sourceFile.HasMemo() && file_.HasMemo()) {
                copied = file_.Memo().AddMemo(sourceFile.Memo().ReadText(block, recNo), true);
            }
            PutRawField(record_, field, FormatMemoBlock(copied));
        }
        return;
    }
    record_.assign(static_cast<size_t>(file_.RecordLength()), ' ');
    record_[0] = raw.empty() ? ' ' : raw[0];
    for (const auto& field : file_.Fields()) {
        BlankField(record_, field);
        const FieldInfo* from = nullptr;
        for (const auto& candidate : sourceFile.Fields()) {
            if (EqualsNoCase(candidate.name, field.name)) {
                from = &candidate;
                break;
            }
        }
        if (from == nullptr) {
            continue;
        }
        const std::string_view bytes = RawField(raw, *from);
        Value value;
        switch (from->type) {
        case 'N':
        case 'F':
            value.number = ParseNumberField(bytes);
            value.text = Trim(bytes);
            break;
        case 'D':
            value.date = DateFromDigits(bytes);
            value.text = value.date ? DateDigits(value.date) : std::string();
            break;
        case 'L':
            value.flag = ParseLogical(bytes);
            value.text.assign(1, value.flag ? 'T' : 'F');
            break;
        case 'M': {
            const uint32_t block = ParseMemoBlock(bytes);
            if (block != 0 && sourceFile.HasMemo()) {
                value.text = sourceFile.Memo().ReadText(block, recNo);
            }
            break;
        }
        default:
            value.text = TrimRight(std::string(bytes));
            value.number = ParseNumberField(bytes);
            value.date = DateFromDigits(bytes);
            value.flag = ParseLogical(bytes);
            break;
        }
        if (source.Translates() != Translates()) {
            value.text =
                source.Translates() ? DecodeText(value.text, true) : EncodeText(value.text, true);
        }
        switch (field.type) {
        case 'N':
        case 'F':
            if (value.number) {
                PutRawField(record_, field,
                            FormatNumber(*value.number, field.length, field.decimals));
            }
            break;
        case 'D':
            PutRawField(record_, field, DateDigits(value.date));
            break;
        case 'L':
            PutRawField(record_, field, value.flag ? "T" : "F");
            break;
        case 'M':
            if (file_.HasMemo() && !value.text.empty()) {
                PutRawField(record_, field,
                            FormatMemoBlock(file_.Memo().AddMemo(value.text, true)));
            }
            break;
        default:
            PutRawField(record_, field, value.text);
            break;
        }
    }
}

void TTzDbf::AppendFrom(std::string_view fileName) {
    RequireOpen("AppendFrom");
    DiscardEdit();
    const std::string path = FullPath(TableFileName(fileName));
    TTzDbf* source = WorkAreas::FindByPath(path);
    if (source == this) {
        RaiseEngineError(214, "Attempting to append file to itself. [AppendFrom(" + path + ")]");
    }
    std::unique_ptr<TTzDbf> opened;
    if (source == nullptr) {
        if (!FileExists(path)) {
            RaiseEngineError(2, "[AppendFrom(" + path + ")]");
        }
        opened = std::make_unique<TTzDbf>(name_ + ".AppendFrom");
        opened->SetCreateIfNotFound(false);
        opened->SetTableLanguage(language_);
        opened->SetReadOnly(true);
        opened->SetDbfFileName(path);
        opened->Open();
        source = opened.get();
    }
    DbfFile& sourceFile = source->file_;
    source->SyncCount();
    const uint32_t count = sourceFile.Count();
    const bool same = SameLayout(sourceFile, file_);
    const uint32_t before = recNo_;
    for (uint32_t n = 1; n <= count; ++n) {
        CopyRecordFrom(*source, sourceFile, n, same);
        AppendBuffer("APPEND");
    }
    if (opened) {
        opened->Close();
    }
    state_ = DatasetState::Browse;
    SyncCount();
    if (before >= 1 && before <= file_.Count()) {
        Go(before);
    } else {
        Last();
    }
}

} // namespace vell3::tables
