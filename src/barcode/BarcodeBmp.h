#pragma once

#include <string>
#include <string_view>

#include "MonoBitmap.h"

namespace vell3 {

// Symbologies of the barcode component, in their order 0 to 12. The program
// prints only bcCode128 (label numbers) and bcPOSTNET (ZIP codes); the others
// are refused with std::invalid_argument.
enum TBarCodeType {
    bcCode128,
    bcCode39,
    bcCode39Ext,
    bcUPCA,
    bcInt2of5,
    bcCode93,
    bcEAN13,
    bcEAN8,
    bcEAN128,
    bcPOSTNET,
    bcUPCE,
    bcUPC2ext,
    bcUPC5ext,
};

// Rotation applied to the finished bitmap, in quarter turns clockwise as the
// bitmap is viewed, in order 0 to 3.
enum TbcRotate { bcNoRotate, bcRotate90, bcRotate180, bcRotate270 };

// The font of the human-readable line.
struct BarcodeFont {
    std::string face = "Courier New";
    bool operator==(const BarcodeFont&) const = default;
};

// Modules of quiet zone on either side of a symbol.
inline constexpr int kQuietZoneModules = 10;

// The text kept for a symbology: Code 128 keeps the characters with codes 1 to
// 128, POSTNET the first eleven digits.
std::string FilterBarcodeText(TBarCodeType type, std::string_view text);

// Width in pixels of the bitmap of a (filtered) text, quiet zones included.
int BarcodeWidthFor(int scale, TBarCodeType type, std::string_view text);

// The barcode component: Bitmap() always shows the symbol of the current
// properties. A change of property renders again; the rendering waits until
// the bitmap is next read, so that setting several properties in a row
// renders once.
class TBarcodeBmp {
public:
    TBarcodeBmp();

    int Height() const { return height_; }
    void SetHeight(int height);
    int Scale() const { return scale_; }
    void SetScale(int scale);
    bool Interpret() const { return interpret_; }
    void SetInterpret(bool interpret);
    TbcRotate Rotate() const { return rotate_; }
    void SetRotate(TbcRotate rotate);
    TBarCodeType BarcodeType() const { return type_; }
    // Re-filters the current text for the new symbology, then renders.
    void SetBarcodeType(TBarCodeType type);
    const std::string& BarcodeText() const { return text_; }
    // Stores the filtered text, then renders.
    void SetBarcodeText(std::string_view text);
    const BarcodeFont& Font() const { return font_; }
    void SetFont(const BarcodeFont& font);

    const MonoBitmap& Bitmap() const;

    // Height in pixels of the band under the Code 128 bars kept for the
    // human-readable line while Interpret is on. The band stays white: the
    // core has no font rasteriser, and the program renders Code 128 with
    // Interpret off (POSTNET never has a line).
    int TextBandHeight() const;

    // Renders the bitmap now.
    void RenderBarcode() const;

private:
    void Changed() { stale_ = true; }
    void RenderCode128(MonoBitmap& bitmap) const;
    void RenderPostnet(MonoBitmap& bitmap) const;

    int height_ = 50;
    int scale_ = 1;
    bool interpret_ = true;
    TbcRotate rotate_ = bcNoRotate;
    TBarCodeType type_ = bcCode128;
    std::string text_;
    BarcodeFont font_;
    mutable MonoBitmap bitmap_;
    mutable bool stale_ = true;
};

} // namespace vell3
