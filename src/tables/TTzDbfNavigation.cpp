// Moving through a table in its current order.

#include "DatasetError.h"
#include "DbfLayout.h"
#include "FieldCodec.h"
#include "TTzDbf.h"

namespace vell3::tables {

void TTzDbf::SyncCount() {
    // In shared use other programs append; the file's size counts them. They
    // append only under the append lock, so while this table holds it the
    // count read when it was taken stays true, and the file need not be
    // asked again on every append.
    if (Shared() && lockState_ != LockState::Append) {
        file_.SetCount(file_.CountFromSize());
    }
}

uint32_t TTzDbf::RecCount() {
    if (!file_.IsOpen()) {
        throw DatasetError("Cannot perform this operation on a closed dataset");
    }
    SyncCount();
    return file_.Count();
}

uint32_t TTzDbf::OrderSize() const {
    if (index_.IsOpen()) {
        return static_cast<uint32_t>(index_.Entries().size());
    }
    return file_.Count();
}

uint32_t TTzDbf::RecAt(uint32_t position) const {
    if (index_.IsOpen()) {
        return index_.Entries()[position].recNo;
    }
    return position + 1;
}

long TTzDbf::PositionOfCurrent() const {
    if (recNo_ == 0) {
        return -1;
    }
    if (!index_.IsOpen()) {
        return static_cast<long>(recNo_) - 1;
    }
    if (position_ >= 0 && static_cast<size_t>(position_) < index_.Entries().size() &&
        index_.Entries()[static_cast<size_t>(position_)].recNo == recNo_) {
        return position_;
    }
    return index_.PositionOf(recNo_);
}

void TTzDbf::LoadRecord(uint32_t recNo) {
    file_.GetDbfRecord(recNo, record_);
    recNo_ = recNo;
}

void TTzDbf::SetEmptyPosition() {
    recNo_ = 0;
    position_ = -1;
    eof_ = bof_ = true;
    record_.assign(static_cast<size_t>(file_.RecordLength()), ' ');
    for (const auto& field : file_.Fields()) {
        BlankField(record_, field);
    }
}

bool TTzDbf::Deleted() const {
    return recNo_ != 0 && !record_.empty() && record_[0] == layout::kDeletedRecord;
}

// Makes the first visible record from position on in the direction of step
// current; when there is none, the current record stays and end (or
// beginning) of file is set.
void TTzDbf::MoveFrom(long position, int step) {
    const long size = static_cast<long>(OrderSize());
    std::string keep = record_;
    const uint32_t keepRec = recNo_;
    for (long p = position; p >= 0 && p < size; p += step) {
        const uint32_t rec = RecAt(static_cast<uint32_t>(p));
        LoadRecord(rec);
        if (hideDeleted_ && record_[0] == layout::kDeletedRecord) {
            continue;
        }
        position_ = p;
        eof_ = bof_ = false;
        return;
    }
    record_ = std::move(keep);
    recNo_ = keepRec;
    if (step > 0) {
        eof_ = true;
    } else {
        bof_ = true;
    }
}

void TTzDbf::First() {
    if (!file_.IsOpen()) {
        throw DatasetError("Cannot perform this operation on a closed dataset");
    }
    DiscardEdit();
    SyncCount();
    SetEmptyPosition();
    MoveFrom(0, 1);
    if (recNo_ != 0) {
        bof_ = true;
    }
}

void TTzDbf::Last() {
    if (!file_.IsOpen()) {
        throw DatasetError("Cannot perform this operation on a closed dataset");
    }
    DiscardEdit();
    SyncCount();
    SetEmptyPosition();
    MoveFrom(static_cast<long>(OrderSize()) - 1, -1);
    if (recNo_ != 0) {
        eof_ = true;
    }
}

void TTzDbf::Next() {
    if (!file_.IsOpen()) {
        throw DatasetError("Cannot perform this operation on a closed dataset");
    }
    DiscardEdit();
    SyncCount();
    if (recNo_ == 0) {
        First();
        return;
    }
    bof_ = false;
    MoveFrom(PositionOfCurrent() + 1, 1);
}

void TTzDbf::Prior() {
    if (!file_.IsOpen()) {
        throw DatasetError("Cannot perform this operation on a closed dataset");
    }
    DiscardEdit();
    SyncCount();
    if (recNo_ == 0) {
        Last();
        return;
    }
    eof_ = false;
    MoveFrom(PositionOfCurrent() - 1, -1);
}

void TTzDbf::Go(uint32_t recNo) {
    if (!file_.IsOpen()) {
        throw DatasetError("Cannot perform this operation on a closed dataset");
    }
    DiscardEdit();
    SyncCount();
    LoadRecord(recNo);
    position_ = -1;
    position_ = PositionOfCurrent();
    eof_ = bof_ = false;
}

} // namespace vell3::tables
