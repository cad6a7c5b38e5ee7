#pragma once

#include <QFont>
#include <QHash>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <map>
#include <stdexcept>
#include <vector>

namespace vell3::report {

// A report definition that cannot be used: the text names the file and what is
// wrong with it, as the user sees it.
class ReportDefinitionError : public std::runtime_error {
public:
    explicit ReportDefinitionError(const QString& text)
        : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& Text() const { return text_; }

private:
    QString text_;
};

// One piece of a text item: literal text or a value filled in per page or row.
struct TextPart {
    enum class Kind {
        Literal,   // the text itself
        Field,     // a field of the current row
        Parameter, // a named parameter of the run ("MyTime")
        Page,      // the page number
        Pages,     // the page count
        Count,     // the rows of the whole report
        Sum,       // the sum of a money field over the whole report
        PageCount, // the rows on this page
        PageSum,   // the sum of a money field over this page's rows
        Line,      // the line of the row on its page, from 1
        Row,       // the row's number in the report, from 1
    };
    Kind kind = Kind::Literal;
    QString text; // the literal, the field or the parameter name
};

// A text item placed in points from its band's top-left corner.
struct TextItem {
    std::vector<TextPart> parts;
    QRectF box; // width 0: as wide as the text (left alignment only)
    Qt::Alignment align = Qt::AlignLeft;
    QFont font;
    // Whether the item needs a row to show (false for constants, page
    // numbers, line numbers): only such items are drawn on unused lines.
    bool needsRow = false;
};

// A straight line or a rectangle, in points from the band's corner.
struct ShapeItem {
    enum class Kind { Line, Box };
    Kind kind = Kind::Line;
    QPointF from;
    QPointF to; // the opposite corner of a box
    double pen = 0.5;
};

struct Band {
    double height = 0; // points; 0 for a band the report does without
    std::vector<TextItem> texts;
    std::vector<ShapeItem> shapes;
    bool Present() const { return height > 0; }
};

struct ReportDefinition {
    QString name;
    QPageSize pageSize{QPageSize::Letter};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins; // points
    Band pageHeader;
    Band detail;
    Band pageFooter;
    Band summary;
    // A fixed number of detail lines on every page (0: as many as fit), and
    // whether the unused ones of the last page are drawn and struck through.
    int linesPerPage = 0;
    bool strikeUnusedLines = false;

    // The page in points as the report lays it out (orientation applied).
    QSizeF PagePoints() const;
    // The fields the report reads from its rows, and those it totals.
    QStringList Fields() const;
    QStringList SummedFields() const;
};

// A report-definition file: every report it holds, by name.
class ReportProject {
public:
    // Loads and checks the whole file. Throws ReportDefinitionError when it
    // is missing, unreadable, not JSON or not in the format.
    static ReportProject Load(const QString& path);
    // The same from the file's bytes; path only names the file in messages.
    static ReportProject Parse(const QByteArray& content, const QString& path);

    // The named report, or nullptr when the file holds no report of that name.
    const ReportDefinition* Find(const QString& name) const;
    QStringList Names() const;
    const QString& Path() const { return path_; }

private:
    QString path_;
    std::map<QString, ReportDefinition> reports_;
};

// The message of a missing definition file ("\r" is a line break in a box).
QString MissingProjectMessage(const QString& path);

} // namespace vell3::report
