#include "TableRowSource.h"

#include "TTzDbf.h"
#include "Text.h"

namespace vell3::report {

namespace {
// How far a seek steps row by row before it goes to the record directly.
constexpr std::size_t kStepLimit = 64;
} // namespace

TableRowSource::TableRowSource(tables::TTzDbf& table) : table_(table) {}

bool TableRowSource::Walk() {
    if (recNos_.empty()) {
        table_.First();
    } else {
        table_.Next();
    }
    if (table_.Eof() || table_.RecNo() == 0) {
        walkedToEnd_ = true;
        return false;
    }
    recNos_.push_back(table_.RecNo());
    return true;
}

bool TableRowSource::Seek(std::size_t position) {
    if (onRow_ && position > position_ && position - position_ <= kStepLimit &&
        position < recNos_.size()) {
        // Pages drawn one after the other: the next page starts a row or so
        // further on, and stepping there is cheaper than finding a record's
        // place in the key order.
        while (position_ < position) {
            if (!Next()) {
                return false;
            }
        }
        return true;
    }
    onRow_ = false;
    if (position < recNos_.size()) {
        table_.Go(recNos_[position]);
        position_ = position;
        onRow_ = true;
        return true;
    }
    if (walkedToEnd_) {
        return false;
    }
    // Walk on from the last row known.
    if (!recNos_.empty()) {
        table_.Go(recNos_.back());
    }
    while (recNos_.size() <= position) {
        if (!Walk()) {
            return false;
        }
    }
    position_ = position;
    onRow_ = true;
    return true;
}

bool TableRowSource::Next() {
    if (!onRow_) {
        return false;
    }
    if (position_ + 1 < recNos_.size()) {
        // Known already: the table steps on in its own order.
        table_.Next();
        ++position_;
        if (table_.Eof() || table_.RecNo() != recNos_[position_]) {
            table_.Go(recNos_[position_]);
        }
        return true;
    }
    if (walkedToEnd_ || !Walk()) {
        onRow_ = false;
        return false;
    }
    ++position_;
    return true;
}

QString TableRowSource::Value(const QString& field) {
    return QString::fromStdString(Utf8Value(field));
}

std::string TableRowSource::Utf8Value(const QString& field) {
    // Fixed-width fields pad with blanks; money texts lead with them.
    return Trim(table_.GetField(field.toStdString()));
}

bool TableRowSource::HasField(const QString& field) const {
    for (const auto& info : table_.Fields()) {
        if (EqualsNoCase(info.name, field.toStdString())) {
            return true;
        }
    }
    return false;
}

} // namespace vell3::report
