#pragma once

#include <string>
#include <vector>

#include "PrintPage.h"

namespace vell3 {

// A page that draws nothing and notes every item, for tests of the layout.
class RecordingPage : public PrintPage {
public:
    enum class ItemKind { Text, Bitmap };

    struct Item {
        ItemKind kind = ItemKind::Text;
        int x = 0;
        int y = 0;
        std::string text; // Text: the text drawn
        PrintFont font;   // Text: the font it was drawn in
        int width = 0;    // Text: its width; Bitmap: the destination width
        int height = 0;   // Bitmap: the destination height
        MonoBitmap bitmap;
    };

    // Events of the print document, in order.
    enum class Event { Begin, End, Abort };

    RecordingPage(int dpiX, int dpiY, int offsetX = 0, int offsetY = 0);

    // The document cannot be started: BeginDocument throws UserError(message).
    void FailBegin(std::string message) { failBegin_ = std::move(message); }

    void BeginDocument() override;
    void EndDocument() override;
    void AbortDocument() noexcept override;

    int DpiX() const override { return dpiX_; }
    int DpiY() const override { return dpiY_; }
    int PhysicalOffsetX() const override { return offsetX_; }
    int PhysicalOffsetY() const override { return offsetY_; }

    void SelectFont(const PrintFont& font) override { font_ = font; }
    const PrintFont& CurrentFont() const override { return font_; }

    // Every character advances three fifths of the font's height (a
    // monospaced stand-in), so widths are known to the tests.
    int TextWidth(std::string_view text) override;
    void DrawText(int x, int y, std::string_view text) override;
    void DrawBitmap(int x, int y, int width, int height, const MonoBitmap& bitmap) override;

    const std::vector<Item>& Items() const { return items_; }
    const std::vector<Event>& Events() const { return events_; }
    // The text items only, in order.
    std::vector<Item> Texts() const;
    std::vector<Item> Bitmaps() const;

    static int CharacterWidth(const PrintFont& font);

private:
    int dpiX_;
    int dpiY_;
    int offsetX_;
    int offsetY_;
    std::string failBegin_;
    PrintFont font_;
    std::vector<Item> items_;
    std::vector<Event> events_;
};

} // namespace vell3
