#include "U_CertPrint.h"

#include "BarcodeBmp.h"
#include "IntegerText.h"
#include "LabelNumber.h"
#include "MailerSequence.h"
#include "Text.h"

#include <array>
#include <cmath>

namespace vell3 {

namespace {

constexpr int kAlignStepUnits = 3;
constexpr double kPointsPerInch = 72.0;

// Barcode profiles in thousandths of an inch.
constexpr int kLabelModuleMils = 15;
constexpr int kLabelLargeHeightMils = 750;
constexpr int kLabelSmallHeightMils = 400;
constexpr int kLabelWidthMils = 2500;
constexpr int kZipBarMils = 23;
constexpr int kZipHeightMils = 140;

// The x at which every right-aligned amount ends.
constexpr double kAmountEndX = 0.30;

// y of the five lines of an address block.
using LineYs = std::array<double, 5>;
constexpr LineYs kSenderBlockYs = {4.85, 4.70, 4.55, 4.40, 4.25};
constexpr LineYs kSenderStubYs = {3.45, 3.30, 3.15, 3.00, 2.85};
constexpr LineYs kRecipientBlockYs = {6.60, 6.45, 6.30, 6.15, 6.00};
constexpr LineYs kRecipientLowerYs = {1.35, 1.20, 1.05, 0.90, 0.75};
constexpr LineYs kReceiptRecipientYs = {2.13, 2.03, 1.93, 1.83, 1.73};
constexpr LineYs kSideSenderXs = {7.70, 7.55, 7.40, 7.25, 7.10};
constexpr std::array<double, 4> kFeeYs = {1.43, 1.33, 1.23, 1.13};
constexpr std::array<const char*, 4> kFeeCaptions = {"Postage", "Certified Fee", "Return Receipt",
                                                     "Restricted"};

// A ZIP code longer than five characters (ZIP+4) starts further left, so that
// both forms end at the same place.
constexpr double kZip4X = 3.56;
constexpr double kZip5X = 4.48;
constexpr double kExtraZip4X = 0.15;
constexpr double kExtraZip5X = 1.08;

// Upper-casing for the address blocks, letters a to z only.
std::array<std::string, 5> Upper(const std::array<std::string, 5>& lines) {
    std::array<std::string, 5> result;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        result[i] = ToUpperAscii(lines[i]);
    }
    return result;
}

std::size_t CharacterCount(std::string_view text) {
    return Utf8ToU32(text).size();
}

// Ends or aborts the document however the drawing ends.
class DocumentGuard {
public:
    explicit DocumentGuard(PrintPage& page) : page_(page) {}
    DocumentGuard(const DocumentGuard&) = delete;
    DocumentGuard& operator=(const DocumentGuard&) = delete;
    ~DocumentGuard() {
        if (!ended_) {
            page_.AbortDocument();
        }
    }
    void End() {
        page_.EndDocument();
        ended_ = true;
    }

private:
    PrintPage& page_;
    bool ended_ = false;
};

} // namespace

int FontHeightFor(int points, int dpiY) {
    return static_cast<int>(std::lround(-(points * dpiY / kPointsPerInch)));
}

int ScaledByMils(int dpi, int mils) {
    // Integer product first, so that 300 dpi x 15 mils is exactly 4.5.
    return static_cast<int>(std::nearbyint(static_cast<double>(dpi) * mils / 1000.0));
}

MailerPageDrawing::MailerPageDrawing(PrintPage& page, int alignX, int alignY)
    : page_(page), alignX_(alignX), alignY_(alignY) {}

void MailerPageDrawing::SetUpPrintFont(const BasePrintFont& baseFont) {
    dpiX_ = page_.DpiX();
    dpiY_ = page_.DpiY();
    offsetX_ = static_cast<double>(page_.PhysicalOffsetX()) / dpiX_;
    offsetY_ = static_cast<double>(page_.PhysicalOffsetY()) / dpiY_;
    PrintFont font;
    font.face = baseFont.face;
    font.height = FontHeightFor(baseFont.pointSize, dpiY_);
    page_.SelectFont(font);
    baseFontFace_ = font.face;
    savedBaseFont_ = font;
}

int MailerPageDrawing::ToDeviceX(double x) const {
    return static_cast<int>(std::trunc((x - offsetX_) * dpiX_)) + kAlignStepUnits * alignX_;
}

int MailerPageDrawing::ToDeviceY(double y) const {
    return static_cast<int>(std::trunc((y - offsetY_) * dpiY_)) + kAlignStepUnits * alignY_;
}

void MailerPageDrawing::SetFontSize(int points) {
    PrintFont font = page_.CurrentFont();
    font.height = FontHeightFor(points, dpiY_);
    page_.SelectFont(font);
}

void MailerPageDrawing::SelectRotatedFont(int angle, const std::string& face) {
    // Only the height carries over; weight, italic and the rest are reset.
    PrintFont font;
    font.face = face;
    font.height = page_.CurrentFont().height;
    font.escapement = angle;
    font.orientation = angle;
    page_.SelectFont(font);
}

void MailerPageDrawing::RestoreBaseFont() {
    page_.SelectFont(savedBaseFont_);
}

void MailerPageDrawing::TextAt(double x, double y, std::string_view text) {
    if (!text.empty()) {
        page_.DrawText(ToDeviceX(x), ToDeviceY(y), text);
    }
}

void MailerPageDrawing::AmountAt(double y, std::string_view text) {
    const std::string trimmed = Trim(text);
    if (!trimmed.empty()) {
        page_.DrawText(ToDeviceX(kAmountEndX) + page_.TextWidth(trimmed), ToDeviceY(y), trimmed);
    }
}

void MailerPageDrawing::DrawLabelBarcodes() {
    TBarcodeBmp barcode;
    barcode.SetScale(ScaledByMils(dpiX_, kLabelModuleMils));
    barcode.SetHeight(ScaledByMils(dpiY_, kLabelLargeHeightMils));
    barcode.SetInterpret(false);
    barcode.SetBarcodeType(bcCode128);
    barcode.SetBarcodeText(LabelText);
    barcode.SetRotate(bcRotate180);
    // The symbol is stretched across 2.5 inches whatever the resolution.
    const int width = ScaledByMils(dpiX_, kLabelWidthMils);
    page_.DrawBitmap(ToDeviceX(0.62), ToDeviceY(4.10), width, barcode.Bitmap().Height(),
                     barcode.Bitmap());
    barcode.SetHeight(ScaledByMils(dpiY_, kLabelSmallHeightMils));
    page_.DrawBitmap(ToDeviceX(2.60), ToDeviceY(2.06), width, barcode.Bitmap().Height(),
                     barcode.Bitmap());

    const std::string grouped = GroupLabelNumber(LabelText);
    SetFontSize(11);
    SelectRotatedFont(kUpsideDown, kOcrFace);
    TextAt(2.98, 4.02, grouped);
    TextAt(4.96, 1.98, grouped);
    SetFontSize(10);
    SelectRotatedFont(kUpsideDown, kOcrFace);
    TextAt(4.50, 2.80, grouped);
    SelectRotatedFont(kQuarterLeft, kOcrFace);
    TextAt(7.91, 3.80, grouped);
    SetFontSize(8);
    SelectRotatedFont(kQuarterLeft, kOcrFace);
    TextAt(8.10, 1.76, grouped);
}

void MailerPageDrawing::DrawZipBarcodes(const std::string& senderZip,
                                        const std::string& recipientZip,
                                        const std::string& printExtraLabel,
                                        const std::string& extraLabel) {
    TBarcodeBmp barcode;
    barcode.SetBarcodeType(bcPOSTNET);
    barcode.SetInterpret(true);
    barcode.SetHeight(ScaledByMils(dpiY_, kZipHeightMils));
    barcode.SetScale(ScaledByMils(dpiX_, kZipBarMils));
    barcode.SetRotate(bcRotate180);
    const auto drawAt = [&](double x, double y) {
        const MonoBitmap& bitmap = barcode.Bitmap();
        page_.DrawBitmap(ToDeviceX(x), ToDeviceY(y), bitmap.Width(), bitmap.Height(), bitmap);
    };
    barcode.SetBarcodeText(recipientZip);
    drawAt(CharacterCount(recipientZip) > 5 ? kZip4X : kZip5X, 5.63);
    barcode.SetBarcodeText(senderZip);
    drawAt(CharacterCount(senderZip) > 5 ? kZip4X : kZip5X, 3.83);
    if (printExtraLabel == kExtraLabelYes && extraLabel == kExtraLabelAddressedTo) {
        barcode.SetBarcodeText(recipientZip);
        drawAt(barcode.BarcodeText().size() > 5 ? kExtraZip4X : kExtraZip5X, 5.63);
    }
}

void MailerPageDrawing::DrawFormText(const MailerFormValues& values) {
    const std::string grouped = LabelText;
    const auto sender = values.SenderLines();
    const auto recipient = values.RecipientLines();
    const auto senderUpper = Upper(sender);
    const auto recipientUpper = Upper(recipient);
    // No RE entry, no RE item: a bare "RE: " would stand on the form.
    const std::string re = values.ReText.empty() ? std::string() : "RE: " + values.ReText;
    const auto block = [&](double x, const LineYs& ys, const std::array<std::string, 5>& lines) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            TextAt(x, ys[i], lines[i]);
        }
    };

    SetFontSize(14);
    SelectRotatedFont(kUpsideDown, kOcrFace);
    if (values.RestrictedMark == "Y") {
        TextAt(3.99, 3.30, "X");
    }

    SetFontSize(10);
    SelectRotatedFont(kUpsideDown, kOcrFace);
    block(6.20, kSenderBlockYs, senderUpper);
    block(7.65, kSenderStubYs, senderUpper);
    block(6.20, kRecipientBlockYs, recipientUpper);
    block(5.20, kRecipientLowerYs, recipientUpper);
    if (values.PrintExtraLabel == kExtraLabelYes) {
        block(2.80, kRecipientBlockYs,
              values.ExtraLabel == kExtraLabelAddressedTo ? recipientUpper : senderUpper);
    }
    TextAt(6.20, 5.15, re);

    SetFontSize(10);
    SelectRotatedFont(kQuarterLeft, kOcrFace);
    for (std::size_t i = 0; i < senderUpper.size(); ++i) {
        TextAt(kSideSenderXs[i], 3.80, senderUpper[i]);
    }
    TextAt(8.21, 3.80, re);
    TextAt(8.06, 3.80, values.CommentText);

    // The receipt stub, in the base face.
    RestoreBaseFont();
    SetFontSize(6);
    SelectRotatedFont(kUpsideDown, baseFontFace_);
    TextAt(1.47, 3.17, grouped);
    TextAt(1.45, 2.88, values.SenderLine1);
    TextAt(1.45, 2.78, re);
    TextAt(1.45, 2.68, values.CommentText);
    block(1.45, kReceiptRecipientYs, recipient);
    const std::array<const std::string*, 4> fees = {&values.PostageText, &values.CertFeeText,
                                                    &values.ReturnText, &values.RestrictedText};
    for (std::size_t i = 0; i < fees.size(); ++i) {
        AmountAt(kFeeYs[i], *fees[i]);
    }
    for (std::size_t i = 0; i < kFeeCaptions.size(); ++i) {
        TextAt(1.45, kFeeYs[i], kFeeCaptions[i]);
    }

    RestoreBaseFont();
    SetFontSize(8);
    SelectRotatedFont(kUpsideDown, baseFontFace_);
    TextAt(1.20, 3.30, "RECEIPT");
    TextAt(1.60, 3.02, "FROM:");
    TextAt(1.60, 2.28, "SEND TO:");
    TextAt(1.60, 1.58, "FEES:");
    TextAt(1.60, 0.98, "TOTAL");
    TextAt(1.50, 0.78, "POSTMARK OR DATE");
    AmountAt(0.98, "$ " + Trim(values.TotalText));
}

std::string DrawMailerPage(PrintPage& page, const MailerFormValues& values, bool printBarCode,
                           const BasePrintFont& baseFont) {
    MailerPageDrawing drawing(page, ParseIntegerOrThrow(values.AlignX),
                              ParseIntegerOrThrow(values.AlignY));
    drawing.SetUpPrintFont(baseFont);
    if (printBarCode) {
        drawing.LabelText = BuildLabelNumber(values.NumberSource, values.SerialSource);
        drawing.DrawLabelBarcodes();
    } else {
        drawing.LabelText = values.NumberSource;
    }
    drawing.DrawZipBarcodes(values.SenderZip, values.RecipientZip, values.PrintExtraLabel,
                            values.ExtraLabel);
    drawing.LabelText = GroupLabelNumber(drawing.LabelText);
    drawing.DrawFormText(values);
    drawing.RestoreBaseFont();
    return drawing.LabelText;
}

std::string PrintMailerForm(PrintPage& page, const MailerFormValues& values, bool printBarCode,
                            const BasePrintFont& baseFont) {
    page.BeginDocument();
    DocumentGuard guard(page);
    std::string grouped = DrawMailerPage(page, values, printBarCode, baseFont);
    guard.End();
    return grouped;
}

std::string PrintBarCodeLabel(PrintPage& page, const std::string& customerId,
                              const std::string& serial, int alignX, int alignY,
                              const BasePrintFont& baseFont) {
    const std::string label = BuildLabelNumber(customerId, serial);
    page.BeginDocument();
    DocumentGuard guard(page);
    MailerPageDrawing drawing(page, alignX, alignY);
    drawing.SetUpPrintFont(baseFont);
    drawing.LabelText = label;
    drawing.DrawLabelBarcodes();
    drawing.RestoreBaseFont();
    guard.End();
    return StepSerial(serial, +1);
}

} // namespace vell3
