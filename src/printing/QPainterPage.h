#pragma once

#include <QFont>
#include <QPainter>
#include <QSaveFile>
#include <QString>

#include <memory>

#include "PrintPage.h"

class QPagedPaintDevice;
class QPaintDevice;
class QPdfWriter;
class QPrinter;

namespace vell3 {

// Resolution and printable-area offsets of a device, in device units.
struct PageGeometry {
    int dpiX = 600;
    int dpiY = 600;
    int offsetX = 0;
    int offsetY = 0;
};

// The page drawn with a QPainter on any paint device (printer, PDF, image):
// text through rotated QFonts on an opaque white box, bitmaps as sharp black
// boxes on white.
class QPainterPage : public PrintPage {
public:
    QPainterPage(QPaintDevice& device, PageGeometry geometry);
    ~QPainterPage() override;

    void BeginDocument() override;
    void EndDocument() override;
    void AbortDocument() noexcept override;

    int DpiX() const override { return geometry_.dpiX; }
    int DpiY() const override { return geometry_.dpiY; }
    int PhysicalOffsetX() const override { return geometry_.offsetX; }
    int PhysicalOffsetY() const override { return geometry_.offsetY; }

    void SelectFont(const PrintFont& font) override;
    const PrintFont& CurrentFont() const override { return font_; }
    int TextWidth(std::string_view text) override;
    void DrawText(int x, int y, std::string_view text) override;
    void DrawBitmap(int x, int y, int width, int height, const MonoBitmap& bitmap) override;

    // The Qt font a print font is drawn with.
    static QFont ToQFont(const PrintFont& font);

protected:
    // For pages that make their device after the base: SetDevice before use.
    explicit QPainterPage(PageGeometry geometry);
    void SetDevice(QPaintDevice& device) { device_ = &device; }

    // Hooks of the devices that need more than the painter: what the start
    // failure says, and what follows a good end or an abort.
    virtual QString BeginFailureText() const;
    virtual void Prepare() {}
    virtual void Finish() {}
    virtual void Discard() noexcept {}
    QPainter& Painter() { return painter_; }

private:
    QPaintDevice* device_ = nullptr;
    PageGeometry geometry_;
    QPainter painter_;
    PrintFont font_;
    QFont qfont_;
};

// A PDF file at a chosen resolution with printable-area offsets 0, on US
// Letter paper. The file is written whole or not at all: it replaces an
// existing file only when the document ends well. Further pages can be added
// with NewPage() while the document is open.
class PdfFilePage : public QPainterPage {
public:
    PdfFilePage(const QString& path, int dpi);
    ~PdfFilePage() override;

    void NewPage();

protected:
    QString BeginFailureText() const override;
    void Prepare() override;
    void Finish() override;
    void Discard() noexcept override;

private:
    QString path_;
    QSaveFile file_;
    std::unique_ptr<QPdfWriter> writer_;
};

// The geometry of a printer: LOGPIXELS from its resolution, the physical
// offsets from where the printable area lies on the paper.
PageGeometry GeometryOf(const QPrinter& printer);

// A page on a printer (a CUPS queue) in the resolution it was set up with.
class PrinterPage : public QPainterPage {
public:
    explicit PrinterPage(QPrinter& printer);

protected:
    QString BeginFailureText() const override;
    void Discard() noexcept override;

private:
    QPrinter& printer_;
};

} // namespace vell3
