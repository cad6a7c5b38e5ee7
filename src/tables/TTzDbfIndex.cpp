// IndexOnOne and SetIndexTo: one-tag index files and key order.

#include "EngineError.h"
#include "FieldCodec.h"
#include "IndexSemaphore.h"
#include "TTzDbf.h"
#include "TablePaths.h"
#include "Text.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace vell3::tables {

namespace {

constexpr size_t kMaxExpression = 100;

int KeyLengthOf(const FieldInfo& field) {
    switch (field.type) {
    case 'D':
    case 'N':
    case 'F':
        return static_cast<int>(sizeof(double));
    default:
        return field.length;
    }
}

char KeyTypeOf(const FieldInfo& field) {
    switch (field.type) {
    case 'D':
        return 'D';
    case 'N':
    case 'F':
        return 'N';
    case 'L':
        return 'L';
    default:
        return 'C';
    }
}

} // namespace

std::string TTzDbf::IndexPathFor(std::string_view indexFileName) const {
    std::string name = Trim(indexFileName);
    if (name.empty()) {
        return ReplaceExtension(fileName_, "MDX");
    }
    if (!HasExtension(name)) {
        name += ".MDX";
    }
    if (name.find_first_of("/\\:") == std::string::npos) {
        name = FolderOf(fileName_) + name;
    }
    return name;
}

std::string TTzDbf::KeyOfRecord(const std::string& record) const {
    const FieldInfo& field = file_.Fields()[static_cast<size_t>(keyField_)];
    return MdxIndex::KeyOf(field.type, RawField(record, field));
}

void TTzDbf::UpdateIndexFor(uint32_t recNo) {
    if (index_.IsOpen() && keyField_ >= 0) {
        index_.Update(recNo, KeyOfRecord(record_));
    }
}

void TTzDbf::CloseIndex() {
    if (!index_.IsOpen() && !semaphoreLoggedIn_) {
        return;
    }
    index_.Clear();
    keyField_ = -1;
    if (semaphoreLoggedIn_) {
        semaphoreLoggedIn_ = false;
        IndexSemaphore::Logout(file_.File(), fileName_);
    }
}

void TTzDbf::SetIndexTo(const std::string& indexFile) {
    RequireOpen("SetIndexTo");
    if (!FileExists(indexFile)) {
        RaiseEngineError(2, "SetIndexTo(" + indexFile + ")");
    }
    CloseIndex();
    if (Shared()) {
        IndexSemaphore::Login(file_.File(), fileName_);
        semaphoreLoggedIn_ = true;
    }
    try {
        index_.Read(indexFile);
        keyField_ = -1;
        const auto& fields = file_.Fields();
        for (size_t i = 0; i < fields.size(); ++i) {
            if (EqualsNoCase(fields[i].name, Trim(index_.Expression()))) {
                keyField_ = static_cast<int>(i);
            }
        }
        if (keyField_ < 0 ||
            KeyLengthOf(fields[static_cast<size_t>(keyField_)]) != index_.KeyLength() ||
            KeyTypeOf(fields[static_cast<size_t>(keyField_)]) != index_.KeyType()) {
            RaiseEngineError(222, indexFile + " [SetIndexTo]");
        }
    } catch (...) {
        CloseIndex();
        throw;
    }
    position_ = -1;
}

bool TTzDbf::IndexOnOne(std::string_view keyExpression, std::string_view indexFileName) {
    RequireOpen("IndexOnOne");
    DiscardEdit();
    const std::string path = IndexPathFor(indexFileName);
    CloseIndex();
    const std::string key = Trim(keyExpression);
    if (key.size() > kMaxExpression) {
        RaiseEngineError(220, "Expression length exceeds 100 bytes [" + name_ + ".IndexOnOne]");
    }
    const FieldInfo* field = nullptr;
    for (const auto& candidate : file_.Fields()) {
        if (EqualsNoCase(candidate.name, key)) {
            field = &candidate;
        }
    }
    if (field == nullptr || field->type == 'M') {
        RaiseEngineError(220, "Field \"" + key + "\" not in \"" + fileName_ + "\" [IndexOnOne]");
    }
    const FieldInfo keyField = *field;

    bool reopened = false;
    if (Shared() && ::unlink(path.c_str()) != 0 &&
        (errno == EACCES || errno == EPERM || errno == EBUSY)) {
        // Another program holds the old index: build it alone.
        try {
            ReportingOff quiet;
            Reopen(true);
            reopened = true;
        } catch (const EngineException&) {
            reopened = false;
        }
        if (!reopened) {
            RaiseEngineError(225, fileName_ + " MakeIndex(" + path + ")");
        }
    }
    ::unlink(path.c_str());

    SyncCount();
    std::vector<IndexEntry> entries;
    // A damaged header may claim more records than the file holds.
    entries.reserve(std::min(file_.Count(), file_.CountFromSize()));
    std::string buffer;
    for (uint32_t n = 1; n <= file_.Count(); ++n) {
        file_.GetDbfRecord(n, buffer);
        entries.push_back({MdxIndex::KeyOf(keyField.type, RawField(buffer, keyField)), n});
    }
    MdxIndex built;
    built.CreateMdxHeader(path, BaseName(fileName_));
    built.MakeIndex(key, KeyTypeOf(keyField), KeyLengthOf(keyField), std::move(entries));
    if (reopened) {
        try {
            ReportingOff quiet;
            Reopen(false);
        } catch (const EngineException& error) {
            RaiseEngineError(error.Error().number,
                             "Cannot_Reopen_Database_Sharable MakeIndex(" + path + ")");
        }
    }
    SetIndexTo(path);
    First();
    return true;
}

} // namespace vell3::tables
