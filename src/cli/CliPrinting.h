#pragma once

#include "PrintPage.h"
#include "QPainterPage.h"

#include <QPrinter>

#include <memory>
#include <string>

namespace vell3::cli {

// The system's default printer (a CUPS queue; CUPS_SERVER chooses the
// scheduler) on US Letter in its high resolution. Throws UserError when there
// is no default printer.
std::unique_ptr<QPrinter> DefaultPrinter(const std::string& documentName);

// A page on the system's default printer, found when the document begins, so
// that a missing printer fails as a printer does, after the sequence stepped.
class DefaultPrinterPage : public PrintPage {
public:
    explicit DefaultPrinterPage(std::string documentName);
    ~DefaultPrinterPage() override;

    void BeginDocument() override;
    void EndDocument() override { Inner().EndDocument(); }
    void AbortDocument() noexcept override;
    int DpiX() const override { return Inner().DpiX(); }
    int DpiY() const override { return Inner().DpiY(); }
    int PhysicalOffsetX() const override { return Inner().PhysicalOffsetX(); }
    int PhysicalOffsetY() const override { return Inner().PhysicalOffsetY(); }
    void SelectFont(const PrintFont& font) override { Inner().SelectFont(font); }
    const PrintFont& CurrentFont() const override { return Inner().CurrentFont(); }
    int TextWidth(std::string_view text) override { return Inner().TextWidth(text); }
    void DrawText(int x, int y, std::string_view text) override { Inner().DrawText(x, y, text); }
    void DrawBitmap(int x, int y, int width, int height, const MonoBitmap& bitmap) override {
        Inner().DrawBitmap(x, y, width, height, bitmap);
    }

private:
    PrintPage& Inner() const;

    std::string documentName_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<PrinterPage> page_;
};

// A message box's line breaks as a terminal shows them.
std::string ForTerminal(std::string message);

// The exit status of an engine error: its number when it fits, else 255.
int EngineExitStatus(int number);

} // namespace vell3::cli
