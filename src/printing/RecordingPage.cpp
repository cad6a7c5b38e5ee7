#include "RecordingPage.h"

#include "Text.h"
#include "UserError.h"

#include <cstdlib>

namespace vell3 {

RecordingPage::RecordingPage(int dpiX, int dpiY, int offsetX, int offsetY)
    : dpiX_(dpiX), dpiY_(dpiY), offsetX_(offsetX), offsetY_(offsetY) {}

void RecordingPage::BeginDocument() {
    if (!failBegin_.empty()) {
        throw UserError(failBegin_);
    }
    events_.push_back(Event::Begin);
}

void RecordingPage::EndDocument() {
    events_.push_back(Event::End);
}

void RecordingPage::AbortDocument() noexcept {
    events_.push_back(Event::Abort);
}

int RecordingPage::CharacterWidth(const PrintFont& font) {
    return (std::abs(font.height) * 3 + 2) / 5;
}

int RecordingPage::TextWidth(std::string_view text) {
    return static_cast<int>(Utf8ToU32(text).size()) * CharacterWidth(font_);
}

void RecordingPage::DrawText(int x, int y, std::string_view text) {
    Item item;
    item.kind = ItemKind::Text;
    item.x = x;
    item.y = y;
    item.text = std::string(text);
    item.font = font_;
    item.width = TextWidth(text);
    items_.push_back(std::move(item));
}

void RecordingPage::DrawBitmap(int x, int y, int width, int height, const MonoBitmap& bitmap) {
    Item item;
    item.kind = ItemKind::Bitmap;
    item.x = x;
    item.y = y;
    item.width = width;
    item.height = height;
    item.bitmap = bitmap;
    items_.push_back(std::move(item));
}

std::vector<RecordingPage::Item> RecordingPage::Texts() const {
    std::vector<Item> result;
    for (const Item& item : items_) {
        if (item.kind == ItemKind::Text) {
            result.push_back(item);
        }
    }
    return result;
}

std::vector<RecordingPage::Item> RecordingPage::Bitmaps() const {
    std::vector<Item> result;
    for (const Item& item : items_) {
        if (item.kind == ItemKind::Bitmap) {
            result.push_back(item);
        }
    }
    return result;
}

} // namespace vell3
