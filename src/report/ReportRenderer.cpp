#include "ReportRenderer.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace vell3::report {

namespace {
constexpr double kPointsPerInch = 72.0;
} // namespace

// What the values of a text item come from while one band is drawn.
struct ReportRenderer::Context {
    int page = 0;             // from 1
    std::size_t pageRows = 0; // rows on this page
    const std::map<QString, MoneyTotal>* pageTotals = nullptr;
    bool onRow = false;
    std::size_t line = 0; // from 1, on the page
    std::size_t row = 0;  // from 1, in the report
};

ReportRenderer::ReportRenderer(const ReportDefinition& definition, RowSource& rows,
                               ReportParameters parameters, const QString& definitionFile)
    : definition_(definition), rows_(rows), parameters_(std::move(parameters)),
      fields_(definition.Fields()) {
    for (const QString& field : fields_) {
        if (!rows_.HasField(field)) {
            throw ReportDefinitionError(
                QStringLiteral("The report definition file \"%1\" cannot be used:\rreport \"%2\": "
                               "the rows have no field \"%3\".")
                    .arg(definitionFile, definition.name, field));
        }
    }
    Plan();
}

QPageLayout ReportRenderer::PageLayout() const {
    return QPageLayout(definition_.pageSize, definition_.orientation, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Point);
}

void ReportRenderer::Plan() {
    const QStringList summed = definition_.SummedFields();
    for (const QString& field : summed) {
        totals_[field] = MoneyTotal();
    }
    rowCount_ = 0;
    for (bool on = rows_.Seek(0); on; on = rows_.Next()) {
        ++rowCount_;
        for (const QString& field : summed) {
            totals_[field].Add(rows_.Utf8Value(field));
        }
    }

    const ReportDefinition& d = definition_;
    const double body = d.PagePoints().height() - d.margins.top() - d.margins.bottom() -
                        d.pageHeader.height - d.pageFooter.height;
    const std::size_t perPage =
        d.linesPerPage > 0 ? static_cast<std::size_t>(d.linesPerPage)
                           : std::max<std::size_t>(
                                 1, static_cast<std::size_t>(std::floor(body / d.detail.height)));
    pages_.clear();
    for (std::size_t first = 0; first < rowCount_; first += perPage) {
        pages_.push_back({first, std::min(perPage, rowCount_ - first), false});
    }
    if (d.summary.Present()) {
        // The summary follows the last row when it fits under it (under the
        // last line of a page of fixed lines), else it has a page of its own.
        if (!pages_.empty()) {
            const std::size_t used = d.linesPerPage > 0 ? perPage : pages_.back().rows;
            if (body - static_cast<double>(used) * d.detail.height >= d.summary.height) {
                pages_.back().summary = true;
            }
        }
        if (pages_.empty() || !pages_.back().summary) {
            pages_.push_back({rowCount_, 0, true});
        }
    }
    if (pages_.empty()) {
        pages_.push_back({0, 0, false});
    }
}

QString ReportRenderer::TextOf(const TextItem& item, const Context& context) const {
    QString text;
    for (const TextPart& part : item.parts) {
        switch (part.kind) {
        case TextPart::Kind::Literal:
            text += part.text;
            break;
        case TextPart::Kind::Field:
            if (context.onRow) {
                text += rows_.Value(part.text);
            }
            break;
        case TextPart::Kind::Parameter:
            text += parameters_.value(part.text);
            break;
        case TextPart::Kind::Page:
            text += QString::number(context.page);
            break;
        case TextPart::Kind::Pages:
            text += QString::number(PageCount());
            break;
        case TextPart::Kind::Count:
            text += QString::number(rowCount_);
            break;
        case TextPart::Kind::Sum:
            text += QString::fromStdString(totals_.at(part.text).Text());
            break;
        case TextPart::Kind::PageCount:
            text += QString::number(context.pageRows);
            break;
        case TextPart::Kind::PageSum:
            text += QString::fromStdString(context.pageTotals->at(part.text).Text());
            break;
        case TextPart::Kind::Line:
            text += QString::number(context.line);
            break;
        case TextPart::Kind::Row:
            if (context.onRow) {
                text += QString::number(context.row);
            }
            break;
        }
    }
    return text;
}

const QRawFont& ReportRenderer::RawFontFor(const TextItem& item, double dpi) {
    if (dpi != rawFontDpi_) {
        rawFonts_.clear();
        rawFontDpi_ = dpi;
    }
    auto found = rawFonts_.find(&item);
    if (found == rawFonts_.end()) {
        QRawFont raw = QRawFont::fromFont(item.font);
        if (raw.isValid()) {
            raw.setPixelSize(item.font.pointSizeF() * dpi / kPointsPerInch);
        }
        found = rawFonts_.emplace(&item, std::move(raw)).first;
    }
    return found->second;
}

void ReportRenderer::DrawText(QPainter& painter, const TextItem& item, const QRectF& box,
                              const QString& text) {
    const double dpi = painter.device()->logicalDpiX();
    const QRawFont& raw = RawFontFor(item, dpi);
    QList<quint32> glyphs = raw.isValid() ? raw.glyphIndexesForString(text) : QList<quint32>();
    const bool complete = raw.isValid() && glyphs.size() == text.size() && !glyphs.contains(0U);
    if (!complete) {
        // Characters the font lacks (or surrogate pairs): the full text
        // layout finds them a fallback font.
        painter.setFont(item.font);
        QString shown = text;
        if (box.width() > 0) {
            const QFontMetricsF metrics(item.font, painter.device());
            if (metrics.horizontalAdvance(shown) > box.width()) {
                shown = metrics.elidedText(shown, Qt::ElideRight, box.width());
            }
        }
        const int flags = static_cast<int>(item.align | Qt::AlignTop | Qt::TextSingleLine |
                                           (box.width() > 0 ? 0 : Qt::TextDontClip));
        painter.drawText(box, flags, shown);
        return;
    }
    QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
    double width = 0;
    for (const QPointF& advance : advances) {
        width += advance.x();
    }
    if (box.width() > 0 && width > box.width()) {
        // A value wider than its column is cut with an ellipsis rather than
        // written over its neighbour.
        const QList<quint32> dots = raw.glyphIndexesForString(QStringLiteral("..."));
        const QList<QPointF> dotAdvances = raw.advancesForGlyphIndexes(dots);
        double dotsWidth = 0;
        for (const QPointF& advance : dotAdvances) {
            dotsWidth += advance.x();
        }
        while (!glyphs.isEmpty() && width + dotsWidth > box.width()) {
            width -= advances.takeLast().x();
            glyphs.removeLast();
        }
        glyphs.append(dots);
        advances.append(dotAdvances);
        width += dotsWidth;
    }
    double x = box.left();
    if (item.align & Qt::AlignRight) {
        x = box.right() - width;
    } else if (item.align & Qt::AlignHCenter) {
        x = box.left() + (box.width() - width) / 2;
    }
    QList<QPointF> positions;
    positions.reserve(advances.size());
    double pen = 0;
    for (const QPointF& advance : advances) {
        positions.append(QPointF(pen, 0));
        pen += advance.x();
    }
    QGlyphRun run;
    run.setRawFont(raw);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    painter.drawGlyphRun(QPointF(x, box.top() + raw.ascent()), run);
}

void ReportRenderer::DrawBand(QPainter& painter, const Band& band, double top,
                              const Context& context, bool rowItems) {
    const double scale = painter.device()->logicalDpiX() / kPointsPerInch;
    const double left = definition_.margins.left();
    for (const ShapeItem& shape : band.shapes) {
        painter.setPen(QPen(Qt::black, shape.pen * scale));
        painter.setBrush(Qt::NoBrush);
        const QPointF from((left + shape.from.x()) * scale, (top + shape.from.y()) * scale);
        const QPointF to((left + shape.to.x()) * scale, (top + shape.to.y()) * scale);
        if (shape.kind == ShapeItem::Kind::Line) {
            painter.drawLine(from, to);
        } else {
            painter.drawRect(QRectF(from, to));
        }
    }
    painter.setPen(Qt::black);
    for (const TextItem& item : band.texts) {
        if (item.needsRow && !rowItems) {
            continue;
        }
        const QString text = TextOf(item, context);
        if (text.isEmpty()) {
            continue;
        }
        const QRectF box((left + item.box.x()) * scale, (top + item.box.y()) * scale,
                         item.box.width() * scale, item.box.height() * scale);
        DrawText(painter, item, box, text);
    }
}

void ReportRenderer::DrawPage(int page, QPainter& painter) {
    if (page < 0 || page >= PageCount()) {
        return;
    }
    const ReportDefinition& d = definition_;
    const PagePlan& plan = pages_[static_cast<std::size_t>(page)];
    const double scale = painter.device()->logicalDpiX() / kPointsPerInch;
    const double bodyTop = d.margins.top() + d.pageHeader.height;
    const double footerTop = d.PagePoints().height() - d.margins.bottom() - d.pageFooter.height;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    std::map<QString, MoneyTotal> pageTotals;
    const QStringList summed = d.SummedFields();
    Context context;
    context.page = page + 1;
    context.pageRows = plan.rows;
    context.pageTotals = &pageTotals;

    double y = bodyTop;
    if (plan.rows > 0 && rows_.Seek(plan.firstRow)) {
        context.onRow = true;
        for (std::size_t i = 0; i < plan.rows; ++i) {
            if (i > 0 && !rows_.Next()) {
                break;
            }
            context.line = i + 1;
            context.row = plan.firstRow + i + 1;
            for (const QString& field : summed) {
                pageTotals[field].Add(rows_.Utf8Value(field));
            }
            DrawBand(painter, d.detail, y, context, true);
            y += d.detail.height;
        }
        context.onRow = false;
    }
    for (const QString& field : summed) {
        pageTotals.try_emplace(field);
    }
    if (d.linesPerPage > 0 && plan.rows > 0 &&
        plan.rows < static_cast<std::size_t>(d.linesPerPage)) {
        // The lines no row filled keep their numbers and rules; the form asks
        // that they be struck through so that nothing can be added later.
        const double unusedTop = y;
        for (std::size_t line = plan.rows + 1; line <= static_cast<std::size_t>(d.linesPerPage);
             ++line) {
            context.line = line;
            DrawBand(painter, d.detail, y, context, false);
            y += d.detail.height;
        }
        if (d.strikeUnusedLines) {
            painter.setPen(QPen(Qt::black, 1.0 * scale));
            const double right = d.PagePoints().width() - d.margins.right();
            painter.drawLine(QPointF(d.margins.left() * scale, unusedTop * scale),
                             QPointF(right * scale, y * scale));
        }
    } else if (d.linesPerPage > 0 && plan.rows > 0) {
        y = bodyTop + d.linesPerPage * d.detail.height;
    }
    context.line = 0;
    if (d.pageHeader.Present()) {
        DrawBand(painter, d.pageHeader, d.margins.top(), context, false);
    }
    if (plan.summary) {
        DrawBand(painter, d.summary, y, context, false);
    }
    if (d.pageFooter.Present()) {
        DrawBand(painter, d.pageFooter, footerTop, context, false);
    }
}

} // namespace vell3::report
