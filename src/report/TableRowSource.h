#pragma once

#include "RowSource.h"

#include <cstdint>
#include <vector>

namespace vell3::tables {
class TTzDbf;
}

namespace vell3::report {

// The rows of an open table in its current order (key order while an index
// is open, else record order). Positions map to record numbers through a
// compact list, filled as the rows are first walked, so that a page can be
// reached again without walking the rows before it.
class TableRowSource : public RowSource {
public:
    explicit TableRowSource(tables::TTzDbf& table);

    bool Seek(std::size_t position) override;
    bool Next() override;
    QString Value(const QString& field) override;
    std::string Utf8Value(const QString& field) override;
    bool HasField(const QString& field) const override;

private:
    bool Walk(); // one step of the table; records the new row's number

    tables::TTzDbf& table_;
    std::vector<uint32_t> recNos_; // record number of each position walked so far
    bool walkedToEnd_ = false;
    std::size_t position_ = 0;
    bool onRow_ = false;
};

} // namespace vell3::report
