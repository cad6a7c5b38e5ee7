#pragma once

#include "PrintPage.h"

#include <string>

namespace vell3 {

// The page of a run without any printer: its document cannot begin, so the
// print fails as a printer does (the sequence stays stepped, nothing logged).
class MissingPrinterPage : public PrintPage {
public:
    void BeginDocument() override;
    void EndDocument() override {}
    void AbortDocument() noexcept override {}
    int DpiX() const override { return kDpi; }
    int DpiY() const override { return kDpi; }
    int PhysicalOffsetX() const override { return 0; }
    int PhysicalOffsetY() const override { return 0; }
    void SelectFont(const PrintFont& font) override { font_ = font; }
    const PrintFont& CurrentFont() const override { return font_; }
    int TextWidth(std::string_view) override { return 0; }
    void DrawText(int, int, std::string_view) override {}
    void DrawBitmap(int, int, int, int, const MonoBitmap&) override {}

private:
    static constexpr int kDpi = 600;
    PrintFont font_;
};

} // namespace vell3
