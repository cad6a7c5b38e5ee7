#include "BarcodeBmp.h"

#include "Code128.h"
#include "Postnet.h"

#include <stdexcept>

namespace vell3 {

namespace {

constexpr int kEmptyWidthModules = 20;
constexpr int kCode128FixedModules = 22; // both quiet zones and the stop's bar
constexpr int kCode128SymbolModules = 11;
constexpr int kPostnetFixedModules = 23; // quiet zones, frame bars, last space
constexpr int kPostnetDigitModules = 10; // five bars, each after a space
constexpr std::size_t kPostnetMaxDigits = 11;
constexpr int kTextBandModules = 5;

[[noreturn]] void Unsupported(TBarCodeType type) {
    throw std::invalid_argument("barcode type " + std::to_string(static_cast<int>(type)) +
                                " is not supported");
}

} // namespace

std::string FilterBarcodeText(TBarCodeType type, std::string_view text) {
    std::string kept;
    if (type == bcCode128) {
        for (const char c : text) {
            const auto code = static_cast<unsigned char>(c);
            if (code >= 1 && code <= 128) {
                kept.push_back(c);
            }
        }
        return kept;
    }
    if (type == bcPOSTNET) {
        for (const char c : text) {
            if (c >= '0' && c <= '9' && kept.size() < kPostnetMaxDigits) {
                kept.push_back(c);
            }
        }
        return kept;
    }
    Unsupported(type);
}

int BarcodeWidthFor(int scale, TBarCodeType type, std::string_view text) {
    if (type != bcCode128 && type != bcPOSTNET) {
        Unsupported(type);
    }
    if (text.empty()) {
        return kEmptyWidthModules * scale;
    }
    if (type == bcCode128) {
        const auto symbols = static_cast<int>(EncodeCode128(text).size());
        return scale * (kCode128FixedModules + kCode128SymbolModules * symbols);
    }
    const auto digits = static_cast<int>(text.size());
    return scale * (kPostnetFixedModules + kPostnetDigitModules * (digits + 1));
}

TBarcodeBmp::TBarcodeBmp() = default;

const MonoBitmap& TBarcodeBmp::Bitmap() const {
    if (stale_) {
        RenderBarcode();
    }
    return bitmap_;
}

void TBarcodeBmp::SetHeight(int height) {
    height_ = height;
    Changed();
}

void TBarcodeBmp::SetScale(int scale) {
    scale_ = scale;
    Changed();
}

void TBarcodeBmp::SetInterpret(bool interpret) {
    interpret_ = interpret;
    Changed();
}

void TBarcodeBmp::SetRotate(TbcRotate rotate) {
    rotate_ = rotate;
    Changed();
}

void TBarcodeBmp::SetBarcodeType(TBarCodeType type) {
    text_ = FilterBarcodeText(type, text_);
    type_ = type;
    Changed();
}

void TBarcodeBmp::SetBarcodeText(std::string_view text) {
    text_ = FilterBarcodeText(type_, text);
    Changed();
}

void TBarcodeBmp::SetFont(const BarcodeFont& font) {
    font_ = font;
    Changed();
}

int TBarcodeBmp::TextBandHeight() const {
    return interpret_ && type_ == bcCode128 ? kTextBandModules * scale_ : 0;
}

void TBarcodeBmp::RenderBarcode() const {
    // Rendered into the bitmap's own storage, which a page of the form
    // reuses for every symbol of one kind.
    bitmap_.Reset(BarcodeWidthFor(scale_, type_, text_), height_);
    if (!text_.empty()) {
        if (type_ == bcCode128) {
            RenderCode128(bitmap_);
        } else {
            RenderPostnet(bitmap_);
        }
    }
    stale_ = false;
    switch (rotate_) {
    case bcNoRotate:
        break;
    case bcRotate90:
        bitmap_ = RotateBitmap(bitmap_, 1);
        break;
    case bcRotate180:
        bitmap_.RotateHalfTurn();
        break;
    case bcRotate270:
        bitmap_ = RotateBitmap(bitmap_, 3);
        break;
    }
}

void TBarcodeBmp::RenderCode128(MonoBitmap& bitmap) const {
    const int barHeight = height_ - TextBandHeight();
    int x = kQuietZoneModules * scale_;
    for (const int value : EncodeCode128(text_)) {
        for (const char module : Code128Pattern(value)) {
            if (module == '1') {
                bitmap.FillRect(x, 0, scale_, barHeight, MonoBitmap::kBlack);
            }
            x += scale_;
        }
    }
}

void TBarcodeBmp::RenderPostnet(MonoBitmap& bitmap) const {
    const int halfTop = height_ / 2;
    int x = kQuietZoneModules * scale_;
    bool first = true;
    for (const bool full : PostnetBars(text_)) {
        if (!first) {
            x += scale_; // the space before every bar but the opening frame bar
        }
        first = false;
        const int top = full ? 0 : halfTop;
        bitmap.FillRect(x, top, scale_, height_ - top, MonoBitmap::kBlack);
        x += scale_;
    }
}

} // namespace vell3
