#include "TTzDbf.h"

#include "DatasetError.h"
#include "EngineError.h"
#include "FieldCodec.h"
#include "FieldList.h"
#include "TablePaths.h"
#include "Text.h"
#include "Warnings.h"
#include "WorkAreas.h"

namespace vell3::tables {

ShortString::ShortString(std::string_view value) {
    std::u32string wide = Utf8ToU32(value);
    if (wide.size() > 10) {
        wide.resize(10);
    }
    text = U32ToUtf8(wide);
}

TTzDbf::TTzDbf(std::string name) : name_(std::move(name)) {}

TTzDbf::~TTzDbf() {
    if (Active()) {
        try {
            ReportingOff quiet;
            CloseTable();
        } catch (...) {
            // The destructor must not throw; what could be written was.
        }
    }
}

void TTzDbf::SetDbfFileName(std::string_view name) {
    const bool wasOpen = Active();
    if (wasOpen) {
        CloseTable();
    }
    fileName_ = TableFileName(name);
    if (wasOpen) {
        OpenTable();
    }
}

void TTzDbf::SetExclusive(bool on) {
    if (on == exclusive_) {
        return;
    }
    const bool wasOpen = Active();
    if (wasOpen) {
        CloseTable();
    }
    exclusive_ = on;
    if (wasOpen) {
        OpenTable();
    }
}

void TTzDbf::SetActive(bool on) {
    if (on == Active()) {
        return;
    }
    if (on) {
        OpenTable();
    } else {
        CloseTable();
    }
}

void TTzDbf::CreateFromFieldList() {
    bool created = false;
    if (dbfFields_.empty()) {
        ShowWarning("FieldList.Count is <= 0 trying to create a database");
    } else if (const auto defs = FieldsFromList(dbfFields_, name_); defs && !defs->empty()) {
        ReportingOff quiet;
        try {
            DbfFile::CreateDbf(fileName_, *defs);
            created = true;
        } catch (const EngineException&) {
            created = false;
        }
    }
    if (!created) {
        ShowWarning("Could not create \"" + fileName_ + "\"");
    }
}

void TTzDbf::OpenTable() {
    if (fileName_.empty()) {
        throw DatasetError("Missing DbfFilename property");
    }
    workArea_ = WorkAreas::Take(this);
    try {
        if (createIfNotFound_ && !FileExists(fileName_)) {
            CreateFromFieldList();
        }
        file_.OpenDbf(fileName_, OpenMode{exclusive_, readOnly_, autoFixRecCount_});
        state_ = DatasetState::Browse;
        lockState_ = LockState::None;
        lockedRecords_.clear();
        if (indexList_.empty()) {
            if (file_.Prolog()[28] == 1) {
                // A production index made by another dBASE tool; tables this
                // program makes never have one. An index this engine cannot
                // read leaves the table in record order.
                ReportingOff quiet;
                try {
                    SetIndexTo(IndexPathFor(""));
                } catch (const EngineException&) {
                    CloseIndex();
                }
            }
        } else {
            // Pairs of lines: index file, key expression.
            ReportingOff quiet;
            for (size_t i = 0; i + 1 < indexList_.size(); i += 2) {
                const std::string path = IndexPathFor(indexList_[i]);
                if (createIndex_ == CreateIndexMode::ciAlways || !FileExists(path)) {
                    IndexOnOne(indexList_[i + 1], indexList_[i]);
                } else {
                    try {
                        CloseIndex();
                        SetIndexTo(path);
                    } catch (const EngineException&) {
                        IndexOnOne(indexList_[i + 1], indexList_[i]);
                    }
                }
            }
        }
        First();
    } catch (...) {
        CloseIndex();
        if (file_.IsOpen()) {
            ReportingOff quiet;
            try {
                file_.CloseDbf(false);
            } catch (const EngineException&) {
                // The open failed; its error is the one that counts.
            }
        }
        state_ = DatasetState::Inactive;
        WorkAreas::Release(workArea_);
        workArea_ = -1;
        throw;
    }
}

void TTzDbf::CloseTable() {
    if (!file_.IsOpen()) {
        return;
    }
    DiscardEdit();
    state_ = DatasetState::Inactive;
    WorkAreas::Release(workArea_);
    workArea_ = -1;
    const bool appendLockHeld = lockState_ == LockState::Append && Shared();
    lockState_ = LockState::None;
    lockedRecords_.clear();
    recNo_ = 0;
    position_ = -1;
    eof_ = bof_ = true;
    try {
        CloseIndex();
    } catch (...) {
        file_.CloseDbf(appendLockHeld);
        throw;
    }
    // Closing the file ends every lock it holds; the header is rewritten
    // before that, still under the append lock when it is held.
    file_.CloseDbf(appendLockHeld);
}

void TTzDbf::Reopen(bool exclusive) {
    const bool appendLockHeld = lockState_ == LockState::Append && Shared();
    const bool wasExclusive = file_.Exclusive();
    lockState_ = LockState::None;
    lockedRecords_.clear();
    file_.CloseDbf(appendLockHeld);
    try {
        file_.OpenDbf(fileName_, OpenMode{exclusive, readOnly_, autoFixRecCount_});
    } catch (const EngineException&) {
        // The table goes back to the mode it had, so that it stays usable
        // after the failed operation; when even that fails it is closed.
        try {
            ReportingOff quiet;
            file_.OpenDbf(fileName_, OpenMode{wasExclusive, readOnly_, autoFixRecCount_});
            SyncCount();
            if (recNo_ > file_.Count()) {
                SetEmptyPosition();
            }
        } catch (const EngineException&) {
            state_ = DatasetState::Inactive;
            WorkAreas::Release(workArea_);
            workArea_ = -1;
        }
        throw;
    }
}

void TTzDbf::RequireOpen(const char* operation) const {
    if (!file_.IsOpen()) {
        RaiseEngineError(1103, "Database is not open [" + name_ + "." + operation + "]");
    }
}

void TTzDbf::FieldNotFound(std::string_view fieldName) const {
    throw DatasetError("Field '" + std::string(fieldName) + "' not found");
}

const FieldInfo& TTzDbf::DatasetField(std::string_view fieldName) const {
    if (!file_.IsOpen()) {
        throw DatasetError("Cannot perform this operation on a closed dataset");
    }
    for (const auto& field : file_.Fields()) {
        if (EqualsNoCase(field.name, fieldName)) {
            return field;
        }
    }
    FieldNotFound(fieldName);
}

const FieldInfo& TTzDbf::MemoField(std::string_view fieldName, const char* operation) const {
    std::string name(fieldName.substr(0, 10));
    while (!name.empty() && name.back() == ' ') {
        name.pop_back();
    }
    for (const auto& field : file_.Fields()) {
        if (!EqualsNoCase(field.name, name)) {
            continue;
        }
        if (field.type != 'M') {
            RaiseEngineError(220, "\"" + std::string(operation) + "()\" expects field \"" + name +
                                      "\" to be of type:\r\n\"memo\".\"" + name +
                                      "\" actually is: \"" + FieldTypeInWords(field) + "\"");
        }
        if (!file_.HasMemo()) {
            RaiseEngineError(1019, file_.Path() + " [" + operation + "]");
        }
        return field;
    }
    RaiseEngineError(220,
                     "Field \"" + name + "\" not in \"" + fileName_ + "\" [" + operation + "]");
}

} // namespace vell3::tables
