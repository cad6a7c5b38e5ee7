#include "RecordingPage.h"
#include "U_CertPrint.h"

#include <gtest/gtest.h>

namespace vell3 {
namespace {

struct ConversionCase {
    int dpi;
    int offset; // device units, on both axes
    int align;  // steps, on both axes
    double inches;
    int device;
};

class ToDeviceTest : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ToDeviceTest, TruncatesAndAddsThreeUnitsPerStep) {
    const ConversionCase& c = GetParam();
    RecordingPage page(c.dpi, c.dpi, c.offset, c.offset);
    MailerPageDrawing drawing(page, c.align, c.align);
    drawing.SetUpPrintFont(BasePrintFont{});
    EXPECT_EQ(drawing.ToDeviceX(c.inches), c.device);
    EXPECT_EQ(drawing.ToDeviceY(c.inches), c.device);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToDeviceTest,
    ::testing::Values(ConversionCase{600, 0, 0, 6.20, 3720}, ConversionCase{600, 0, 10, 6.20, 3750},
                      ConversionCase{600, 0, -10, 4.85, 2880},
                      ConversionCase{300, 75, 0, 6.20, 1785}, ConversionCase{300, 0, 1, 0.30, 93},
                      // Three units a step at any resolution.
                      ConversionCase{1200, 0, 5, 1.00, 1215},
                      // Left of the printable area: toward zero.
                      ConversionCase{300, 75, 0, 0.15, -30}, ConversionCase{300, 0, 0, 0.333, 99}));

TEST(PageDrawingTest, SetUpTakesTheResolutionOffsetsAndBaseFont) {
    RecordingPage page(600, 300, 150, 30);
    MailerPageDrawing drawing(page, 0, 0);
    drawing.SetUpPrintFont(BasePrintFont{"Arial", 12});
    EXPECT_EQ(drawing.PrinterDpiX(), 600);
    EXPECT_EQ(drawing.PrinterDpiY(), 300);
    EXPECT_DOUBLE_EQ(drawing.PrintableOffsetX(), 0.25);
    EXPECT_DOUBLE_EQ(drawing.PrintableOffsetY(), 0.10);
    EXPECT_EQ(drawing.BaseFontFace(), "Arial");
    EXPECT_EQ(page.CurrentFont().height, -50); // 12 points at 300 dpi down
    EXPECT_EQ(drawing.SavedBaseFont(), page.CurrentFont());
}

TEST(PageDrawingTest, RotatedFontKeepsOnlyTheHeight) {
    RecordingPage page(600, 600);
    MailerPageDrawing drawing(page, 0, 0);
    drawing.SetUpPrintFont(BasePrintFont{});
    PrintFont styled = page.CurrentFont();
    styled.weight = 700;
    styled.italic = true;
    styled.underline = true;
    styled.strikeOut = true;
    styled.charSet = 2;
    page.SelectFont(styled);
    drawing.SetFontSize(9);
    drawing.SelectRotatedFont(kQuarterLeft, "OCR A Extended");
    PrintFont expected;
    expected.face = "OCR A Extended";
    expected.height = -75;
    expected.escapement = 2700;
    expected.orientation = 2700;
    EXPECT_EQ(page.CurrentFont(), expected);
    drawing.RestoreBaseFont();
    EXPECT_EQ(page.CurrentFont(), drawing.SavedBaseFont());
}

struct HeightCase {
    int points;
    int dpi;
    int height;
};

class FontHeightTest : public ::testing::TestWithParam<HeightCase> {};

TEST_P(FontHeightTest, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(FontHeightFor(GetParam().points, GetParam().dpi), GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(Cases, FontHeightTest,
                         ::testing::Values(HeightCase{10, 600, -83}, HeightCase{11, 600, -92},
                                           HeightCase{6, 300, -25}, HeightCase{9, 100, -13},
                                           HeightCase{3, 12, -1}, HeightCase{8, 300, -33}));

TEST(PageDrawingTest, BarcodeProfilesRoundHalvesToEven) {
    EXPECT_EQ(ScaledByMils(300, 15), 4);  // 4.5
    EXPECT_EQ(ScaledByMils(600, 15), 9);  // 9.0
    EXPECT_EQ(ScaledByMils(100, 15), 2);  // 1.5
    EXPECT_EQ(ScaledByMils(600, 23), 14); // 13.8
    EXPECT_EQ(ScaledByMils(300, 2500), 750);
    EXPECT_EQ(ScaledByMils(300, 750), 225);
}

} // namespace
} // namespace vell3
