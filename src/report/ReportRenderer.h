#pragma once

#include "MoneyTotal.h"
#include "ReportDefinition.h"
#include "RowSource.h"

#include <QHash>
#include <QPageLayout>
#include <QRawFont>
#include <QString>

#include <cstddef>
#include <map>
#include <unordered_map>
#include <vector>

class QPainter;

namespace vell3::report {

// The named texts a run hands to its report ("MyTime").
using ReportParameters = QHash<QString, QString>;

// One report laid out over its rows. The layout pass walks the rows once,
// from the first, and keeps only where each page starts and the report's
// totals; any page is then drawn on demand from its first row.
class ReportRenderer {
public:
    // Throws ReportDefinitionError when the report reads a field that the
    // rows do not have.
    ReportRenderer(const ReportDefinition& definition, RowSource& rows, ReportParameters parameters,
                   const QString& definitionFile);

    int PageCount() const { return static_cast<int>(pages_.size()); }
    std::size_t RowCount() const { return rowCount_; }
    const ReportDefinition& Definition() const { return definition_; }
    // The paper of every page, without margins (the report places its items
    // itself).
    QPageLayout PageLayout() const;

    // Draws the page (from 0) with the painter's origin at the paper's
    // top-left corner, scaled to the painter's device resolution.
    void DrawPage(int page, QPainter& painter);

private:
    struct PagePlan {
        std::size_t firstRow = 0;
        std::size_t rows = 0;
        bool summary = false;
    };

    struct Context; // what a text item's values come from while drawing
    void Plan();
    void DrawBand(QPainter& painter, const Band& band, double top, const Context& context,
                  bool rowItems);
    QString TextOf(const TextItem& item, const Context& context) const;
    void DrawText(QPainter& painter, const TextItem& item, const QRectF& box, const QString& text);
    const QRawFont& RawFontFor(const TextItem& item, double dpi);

    const ReportDefinition& definition_;
    RowSource& rows_;
    ReportParameters parameters_;
    std::vector<PagePlan> pages_;
    std::size_t rowCount_ = 0;
    std::map<QString, MoneyTotal> totals_;
    QStringList fields_; // every field the report reads
    // Each text item's font at the resolution last drawn at: placing glyphs
    // straight from the font spares the full text layout of every value.
    std::unordered_map<const TextItem*, QRawFont> rawFonts_;
    double rawFontDpi_ = 0;
};

} // namespace vell3::report
