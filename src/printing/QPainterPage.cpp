#include "QPainterPage.h"

#include "PrintFonts.h"
#include "UserError.h"

#include <QFontMetrics>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QTransform>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace vell3 {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr int kMinQtWeight = 100;
constexpr int kMaxQtWeight = 900;

} // namespace

QPainterPage::QPainterPage(PageGeometry geometry) : geometry_(geometry) {
    InstallPrintFontSubstitutions();
}

QPainterPage::QPainterPage(QPaintDevice& device, PageGeometry geometry) : QPainterPage(geometry) {
    device_ = &device;
}

QPainterPage::~QPainterPage() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

QString QPainterPage::BeginFailureText() const {
    return QStringLiteral("Unable to start the print document");
}

void QPainterPage::BeginDocument() {
    Prepare();
    if (device_ == nullptr || !painter_.begin(device_)) {
        Discard();
        throw UserError(BeginFailureText().toStdString());
    }
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setFont(qfont_);
}

void QPainterPage::EndDocument() {
    if (!painter_.end()) {
        Discard();
        throw UserError(BeginFailureText().toStdString());
    }
    Finish();
}

void QPainterPage::AbortDocument() noexcept {
    if (painter_.isActive()) {
        painter_.end();
    }
    Discard();
}

QFont QPainterPage::ToQFont(const PrintFont& font) {
    QFont result(QString::fromStdString(font.face));
    // A negative height selects by character height, which is what Qt's pixel
    // size measures; a positive one (the cell height) is taken the same way.
    result.setPixelSize(std::max(1, std::abs(font.height)));
    result.setWeight(
        static_cast<QFont::Weight>(std::clamp(font.weight, kMinQtWeight, kMaxQtWeight)));
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    result.setStrikeOut(font.strikeOut);
    // Outlines without hinting keep widths proportional to the size, as on a
    // printer.
    result.setStyleStrategy(QFont::PreferOutline);
    result.setHintingPreference(QFont::PreferNoHinting);
    return result;
}

void QPainterPage::SelectFont(const PrintFont& font) {
    font_ = font;
    qfont_ = ToQFont(font);
    if (painter_.isActive()) {
        painter_.setFont(qfont_);
    }
}

int QPainterPage::TextWidth(std::string_view text) {
    return QFontMetrics(qfont_, device_).horizontalAdvance(FromUtf8(text));
}

void QPainterPage::DrawText(int x, int y, std::string_view text) {
    const QString s = FromUtf8(text);
    const QFontMetrics metrics(qfont_, device_);
    // Escapement counts counter-clockwise on the page; Qt turns clockwise in
    // its y-down device space.
    painter_.setTransform(QTransform::fromTranslate(x, y).rotate(-font_.escapement / 10.0));
    painter_.fillRect(QRect(0, 0, metrics.horizontalAdvance(s), metrics.height()), Qt::white);
    painter_.setPen(Qt::black);
    painter_.drawText(QPoint(0, metrics.ascent()), s);
    painter_.resetTransform();
}

void QPainterPage::DrawBitmap(int x, int y, int width, int height, const MonoBitmap& bitmap) {
    // The white background of the bitmap replaces what lies under it.
    painter_.fillRect(QRect(x, y, width, height), Qt::white);
    const int columns = bitmap.Width();
    const int rows = bitmap.Height();
    if (columns == 0 || rows == 0) {
        return;
    }
    // The dark runs are stretched onto the rectangle as filled boxes, rows
    // that repeat the one above merged into one box: the same picture as a
    // stretched copy of the pixels, and a few dozen boxes for a barcode
    // instead of an embedded image.
    const double scaleX = static_cast<double>(width) / columns;
    const double scaleY = static_cast<double>(height) / rows;
    const auto rowBytes = static_cast<std::size_t>(columns);
    int top = 0;
    while (top < rows) {
        int bottom = top + 1;
        while (bottom < rows && std::memcmp(bitmap.Row(bottom), bitmap.Row(top), rowBytes) == 0) {
            ++bottom;
        }
        const std::uint8_t* row = bitmap.Row(top);
        int left = 0;
        while (left < columns) {
            if (row[left] != MonoBitmap::kBlack) {
                ++left;
                continue;
            }
            int right = left + 1;
            while (right < columns && row[right] == MonoBitmap::kBlack) {
                ++right;
            }
            painter_.fillRect(QRectF(x + left * scaleX, y + top * scaleY, (right - left) * scaleX,
                                     (bottom - top) * scaleY),
                              Qt::black);
            left = right;
        }
        top = bottom;
    }
}

PdfFilePage::PdfFilePage(const QString& path, int dpi)
    : QPainterPage(PageGeometry{dpi, dpi, 0, 0}), path_(path), file_(path),
      writer_(std::make_unique<QPdfWriter>(&file_)) {
    writer_->setResolution(dpi);
    writer_->setPageSize(QPageSize(QPageSize::Letter));
    writer_->setPageMargins(QMarginsF(0, 0, 0, 0));
    writer_->setCreator(QStringLiteral("Vell3 Certified Mail"));
    writer_->setTitle(QStringLiteral("Certified mailer"));
    SetDevice(*writer_);
}

PdfFilePage::~PdfFilePage() {
    AbortDocument();
}

QString PdfFilePage::BeginFailureText() const {
    return QStringLiteral("Unable to write to %1: %2").arg(path_, file_.errorString());
}

void PdfFilePage::Prepare() {
    if (!file_.open(QIODevice::WriteOnly)) {
        throw UserError(BeginFailureText().toStdString());
    }
}

void PdfFilePage::Finish() {
    if (!file_.commit()) {
        throw UserError(BeginFailureText().toStdString());
    }
}

void PdfFilePage::Discard() noexcept {
    if (file_.isOpen()) {
        file_.cancelWriting();
    }
}

void PdfFilePage::NewPage() {
    writer_->newPage();
}

PageGeometry GeometryOf(const QPrinter& printer) {
    const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
    return PageGeometry{printer.logicalDpiX(), printer.logicalDpiY(), page.left() - paper.left(),
                        page.top() - paper.top()};
}

PrinterPage::PrinterPage(QPrinter& printer)
    : QPainterPage(printer, GeometryOf(printer)), printer_(printer) {}

QString PrinterPage::BeginFailureText() const {
    return QStringLiteral("Unable to print on the printer \"%1\"").arg(printer_.printerName());
}

void PrinterPage::Discard() noexcept {
    printer_.abort();
}

} // namespace vell3
