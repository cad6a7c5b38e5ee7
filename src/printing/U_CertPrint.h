#pragma once

#include <string>
#include <string_view>

#include "MailerFormValues.h"
#include "PrintPage.h"

namespace vell3 {

// The base print font the main window holds: "Arial", regular, black. Its
// size does not matter; every item sets its own.
struct BasePrintFont {
    std::string face = "Arial";
    int pointSize = 10;
};

// Rotations of the form's texts and barcodes, in tenths of a degree.
inline constexpr int kUpsideDown = 1800;
inline constexpr int kQuarterLeft = 2700;

inline constexpr const char* kOcrFace = "OCR A Extended";
inline constexpr const char* kExtraLabelYes = "Yes";
inline constexpr const char* kExtraLabelAddressedTo = "Addressed To";

// Device height of a font size: -(points x dpi / 72), halves away from zero.
int FontHeightFor(int points, int dpiY);

// One value of the printer resolution scaled by a length in thousandths of an
// inch, rounded with halves to the even neighbour, as the barcode profiles do.
int ScaledByMils(int dpi, int mils);

// The state of one page being drawn on the mailer form, and the operations
// that place its items. Positions are inches from the paper's top-left corner
// as it lies in the printer.
class MailerPageDrawing {
public:
    MailerPageDrawing(PrintPage& page, int alignX, int alignY);

    // Takes the resolution and printable offsets from the page and makes the
    // base font the current one.
    void SetUpPrintFont(const BasePrintFont& baseFont);

    // Device units of a page position: one alignment step is 3 device units
    // whatever the resolution.
    int ToDeviceX(double x) const;
    int ToDeviceY(double y) const;

    // Sets the size of the current font, then the rotated font of that height.
    void SetFontSize(int points);
    void SelectRotatedFont(int angle, const std::string& face);
    void RestoreBaseFont();

    // The two Code 128 symbols of LabelText and its five human-readable copies.
    void DrawLabelBarcodes();
    // The POSTNET symbols of the two ZIP codes and, on the extra label, of the
    // recipient's.
    void DrawZipBarcodes(const std::string& senderZip, const std::string& recipientZip,
                         const std::string& printExtraLabel, const std::string& extraLabel);
    // Every text item of the form.
    void DrawFormText(const MailerFormValues& values);

    int PrinterDpiX() const { return dpiX_; }
    int PrinterDpiY() const { return dpiY_; }
    double PrintableOffsetX() const { return offsetX_; }
    double PrintableOffsetY() const { return offsetY_; }
    const std::string& BaseFontFace() const { return baseFontFace_; }
    const PrintFont& SavedBaseFont() const { return savedBaseFont_; }

    std::string LabelText;

private:
    // Draws a text at a page position; an empty text draws nothing.
    void TextAt(double x, double y, std::string_view text);
    // A fee or total drawn so that it ends at x = 0.30 when the sheet is read.
    void AmountAt(double y, std::string_view text);

    PrintPage& page_;
    int alignX_;
    int alignY_;
    int dpiX_ = 0;
    int dpiY_ = 0;
    double offsetX_ = 0;
    double offsetY_ = 0;
    std::string baseFontFace_;
    PrintFont savedBaseFont_;
};

// Prints one mailer as one print document of one page and returns the grouped
// label number (barcode mode) or the grouped mailer number (pre-printed mode).
// A document that fails part-way is aborted and the error passed on.
std::string PrintMailerForm(PrintPage& page, const MailerFormValues& values, bool printBarCode,
                            const BasePrintFont& baseFont);

// The drawing of PrintMailerForm on a page that is already begun; for output
// that gathers several mailers in one document.
std::string DrawMailerPage(PrintPage& page, const MailerFormValues& values, bool printBarCode,
                           const BasePrintFont& baseFont);

// Pre-prints the label barcodes on blank mailers, one print document per
// label, from the starting serial counting up (99999999 is followed by
// 00000001). Nothing happens for a count of 0 or less. `newPage` gives the page
// of each label's document.
template <typename PageFactory>
void PrintBarCodeLabels(int count, const std::string& customerId, const std::string& serial,
                        int alignX, int alignY, const BasePrintFont& baseFont,
                        PageFactory&& newPage);

// One label page of PrintBarCodeLabels; returns the serial of the next label.
std::string PrintBarCodeLabel(PrintPage& page, const std::string& customerId,
                              const std::string& serial, int alignX, int alignY,
                              const BasePrintFont& baseFont);

template <typename PageFactory>
void PrintBarCodeLabels(int count, const std::string& customerId, const std::string& serial,
                        int alignX, int alignY, const BasePrintFont& baseFont,
                        PageFactory&& newPage) {
    std::string next = serial;
    for (int i = 0; i < count; ++i) {
        auto page = newPage();
        next = PrintBarCodeLabel(*page, customerId, next, alignX, alignY, baseFont);
    }
}

} // namespace vell3
