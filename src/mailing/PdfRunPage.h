#pragma once

#include "PrintPage.h"
#include "QPainterPage.h"

#include <QString>

namespace vell3::mailing {

// The one-page print documents of a run gathered as the pages of one PDF
// file: each document begun after the first starts a new page, and the file
// is written when the run calls Finish (whole or not at all).
class PdfRunPage : public PrintPage {
public:
    PdfRunPage(const QString& path, int dpi);
    ~PdfRunPage() override;

    // Ends the file with the pages drawn so far; nothing is written when no
    // document was begun.
    void Finish();
    int Pages() const { return pages_; }

    void BeginDocument() override;
    void EndDocument() override {}
    void AbortDocument() noexcept override {}
    int DpiX() const override { return pdf_.DpiX(); }
    int DpiY() const override { return pdf_.DpiY(); }
    int PhysicalOffsetX() const override { return pdf_.PhysicalOffsetX(); }
    int PhysicalOffsetY() const override { return pdf_.PhysicalOffsetY(); }
    void SelectFont(const PrintFont& font) override { pdf_.SelectFont(font); }
    const PrintFont& CurrentFont() const override { return pdf_.CurrentFont(); }
    int TextWidth(std::string_view text) override { return pdf_.TextWidth(text); }
    void DrawText(int x, int y, std::string_view text) override { pdf_.DrawText(x, y, text); }
    void DrawBitmap(int x, int y, int width, int height, const MonoBitmap& bitmap) override {
        pdf_.DrawBitmap(x, y, width, height, bitmap);
    }

private:
    PdfFilePage pdf_;
    int pages_ = 0;
    bool open_ = false;
};

} // namespace vell3::mailing
