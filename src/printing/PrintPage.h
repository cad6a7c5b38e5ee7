#pragma once

#include <string>
#include <string_view>

#include "MonoBitmap.h"

namespace vell3 {

// A printer font as the page selects it, in the terms of a Windows LOGFONT.
struct PrintFont {
    std::string face;
    int height = 0;      // device units; negative selects by character height
    int escapement = 0;  // tenths of a degree, counter-clockwise as seen on the page
    int orientation = 0; // tenths of a degree
    int weight = 400;    // 400 regular, 700 bold
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = 0; // 0 = ANSI

    bool operator==(const PrintFont&) const = default;
};

// The one-page print document the mailer is drawn on: a printer, a PDF file,
// an image, or a recorder for tests. Positions are device units from the
// top-left corner of the printable area.
class PrintPage {
public:
    virtual ~PrintPage() = default;

    // Starts the document and its single page; throws UserError with the
    // platform's text when the device cannot be written.
    virtual void BeginDocument() = 0;
    // Ends the page and the document; throws UserError when the output fails.
    virtual void EndDocument() = 0;
    // Drops a document that failed part-way through the page.
    virtual void AbortDocument() noexcept = 0;

    // Pixels per inch across and down.
    virtual int DpiX() const = 0;
    virtual int DpiY() const = 0;
    // Distance in device units from the paper's left and top edges to the
    // printable area.
    virtual int PhysicalOffsetX() const = 0;
    virtual int PhysicalOffsetY() const = 0;

    // The current font, used by TextWidth and DrawText.
    virtual void SelectFont(const PrintFont& font) = 0;
    virtual const PrintFont& CurrentFont() const = 0;

    // Advance width of a UTF-8 text in the current font, in device units.
    virtual int TextWidth(std::string_view text) = 0;
    // Draws a UTF-8 text in the current font on an opaque white background,
    // with the top-left corner of its upright frame at (x, y), rotated about
    // that corner by the font's escapement.
    virtual void DrawText(int x, int y, std::string_view text) = 0;
    // Copies the whole bitmap, stretched to the rectangle, replacing what lies
    // under it.
    virtual void DrawBitmap(int x, int y, int width, int height, const MonoBitmap& bitmap) = 0;
};

} // namespace vell3
