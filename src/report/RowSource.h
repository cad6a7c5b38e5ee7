#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <string>

namespace vell3::report {

// The rows a report runs over, reached by their position in the source's
// order. The renderer reads them once from the start to lay the pages out and
// later seeks to the first row of whatever page it draws.
class RowSource {
public:
    virtual ~RowSource() = default;

    // Makes the row at this position (from 0) current; false past the end.
    virtual bool Seek(std::size_t position) = 0;
    // Makes the following row current; false past the end.
    virtual bool Next() = 0;
    // The current row's value of a field as the report shows it.
    virtual QString Value(const QString& field) = 0;
    // The same as UTF-8, for totals that read the text as a number.
    virtual std::string Utf8Value(const QString& field) { return Value(field).toStdString(); }
    // Whether the rows have a field of that name.
    virtual bool HasField(const QString& field) const = 0;
};

} // namespace vell3::report
