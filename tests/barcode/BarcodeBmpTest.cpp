#include "BarcodeBmp.h"
#include "BarcodeTestSupport.h"
#include "Code128.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace vell3 {
namespace {

using vell3::testing::ModulesOfRow;

// The two rendering profiles of the printed mailer, as the form drawing sets them.
int LabelScale(int dpiX) {
    return static_cast<int>(std::nearbyint(dpiX / 1000.0 * 15));
}
int ZipScale(int dpiX) {
    return static_cast<int>(std::nearbyint(dpiX / 1000.0 * 23));
}

TEST(TBarcodeBmpTest, StartsWithTheComponentDefaults) {
    const TBarcodeBmp barcode;
    EXPECT_EQ(barcode.Height(), 50);
    EXPECT_EQ(barcode.Scale(), 1);
    EXPECT_TRUE(barcode.Interpret());
    EXPECT_EQ(barcode.Rotate(), bcNoRotate);
    EXPECT_EQ(barcode.BarcodeType(), bcCode128);
    EXPECT_EQ(barcode.BarcodeText(), "");
    EXPECT_EQ(barcode.Font().face, "Courier New");
    EXPECT_EQ(barcode.Bitmap(), MonoBitmap(20, 50));
}

struct SizeCase {
    TBarCodeType type;
    int scale;
    int height;
    const char* text;
    int width;
};

class BitmapSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(BitmapSizeTest, IsTheSymbolSizeInPixels) {
    const SizeCase& c = GetParam();
    TBarcodeBmp barcode;
    barcode.SetBarcodeType(c.type);
    barcode.SetScale(c.scale);
    barcode.SetHeight(c.height);
    barcode.SetInterpret(c.type != bcCode128);
    barcode.SetRotate(bcRotate180);
    barcode.SetBarcodeText(c.text);
    EXPECT_EQ(barcode.Bitmap().Width(), c.width);
    EXPECT_EQ(barcode.Bitmap().Height(), c.height);
    EXPECT_EQ(BarcodeWidthFor(c.scale, c.type, barcode.BarcodeText()), c.width);
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, BitmapSizeTest,
    ::testing::Values(
        // 600 dpi: a 15-mil module is 9 pixels, 165 modules with the quiet zones.
        SizeCase{bcCode128, LabelScale(600), 450, "71123456789000000423", 1485},
        SizeCase{bcCode128, LabelScale(600), 240, "71123456789000000423", 1485},
        // 300 dpi: 4.5 rounds to the even neighbour 4.
        SizeCase{bcCode128, LabelScale(300), 225, "71123456789000000423", 660},
        SizeCase{bcPOSTNET, ZipScale(600), 84, "12345", 1162},
        SizeCase{bcPOSTNET, ZipScale(600), 84, "12345-6789", 1722},
        SizeCase{bcPOSTNET, ZipScale(300), 42, "12345", 7 * 83},
        SizeCase{bcPOSTNET, ZipScale(600), 84, "", 20 * 14},
        SizeCase{bcPOSTNET, ZipScale(600), 84, "     -    ", 20 * 14},
        SizeCase{bcCode128, 9, 450, "", 180}));

TEST(TBarcodeBmpTest, ProfileScalesRoundHalvesToEven) {
    EXPECT_EQ(LabelScale(600), 9);
    EXPECT_EQ(LabelScale(300), 4);
    EXPECT_EQ(ZipScale(600), 14);
}

struct FilterCase {
    TBarCodeType type;
    std::string text;
    std::string kept;
};

class FilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterTest, KeepsWhatTheSymbologyEncodes) {
    EXPECT_EQ(FilterBarcodeText(GetParam().type, GetParam().text), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(Cases, FilterTest,
                         ::testing::Values(FilterCase{bcPOSTNET, "12345-6789", "123456789"},
                                           FilterCase{bcPOSTNET, " 1 2 3 4 5 ", "12345"},
                                           FilterCase{bcPOSTNET, "123456789012345", "12345678901"},
                                           FilterCase{bcPOSTNET, "     -    ", ""},
                                           FilterCase{bcCode128, "7112 3456", "7112 3456"},
                                           FilterCase{bcCode128, std::string("a\0b", 3), "ab"},
                                           FilterCase{bcCode128, "\x01\x7f\x80\x81\xff",
                                                      "\x01\x7f\x80"}));

TEST(TBarcodeBmpTest, RefusesSymbologiesTheProgramDoesNotPrint) {
    TBarcodeBmp barcode;
    EXPECT_THROW(barcode.SetBarcodeType(bcEAN13), std::invalid_argument);
    EXPECT_EQ(barcode.BarcodeType(), bcCode128);
    EXPECT_THROW(BarcodeWidthFor(1, bcCode39, "1"), std::invalid_argument);
}

TEST(TBarcodeBmpTest, ChangingTheTypeRefiltersTheText) {
    TBarcodeBmp barcode;
    barcode.SetBarcodeText("12345-6789");
    EXPECT_EQ(barcode.BarcodeText(), "12345-6789");
    barcode.SetBarcodeType(bcPOSTNET);
    EXPECT_EQ(barcode.BarcodeText(), "123456789");
    EXPECT_EQ(barcode.Bitmap().Width(), 123);
}

TEST(TBarcodeBmpTest, EveryPropertyRendersAgain) {
    TBarcodeBmp barcode;
    barcode.SetBarcodeText("1234");
    const int width = barcode.Bitmap().Width();
    barcode.SetScale(3);
    EXPECT_EQ(barcode.Bitmap().Width(), 3 * width);
    barcode.SetHeight(7);
    EXPECT_EQ(barcode.Bitmap().Height(), 7);
    // With Interpret on the band under the bars stays white.
    EXPECT_FALSE(barcode.Bitmap().IsBlack(30, 6));
    barcode.SetInterpret(false);
    EXPECT_TRUE(barcode.Bitmap().IsBlack(30, 6));
    const MonoBitmap upright = barcode.Bitmap();
    barcode.SetRotate(bcRotate180);
    EXPECT_EQ(barcode.Bitmap(), RotateBitmap(upright, 2));
    barcode.SetRotate(bcRotate90);
    EXPECT_EQ(barcode.Bitmap().Width(), 7);
    barcode.SetFont(BarcodeFont{"OCRA"});
    EXPECT_EQ(barcode.Font().face, "OCRA");
}

TEST(TBarcodeBmpTest, Code128BarsFollowTheSymbolCharactersAndTurnWithTheBitmap) {
    TBarcodeBmp barcode;
    barcode.SetScale(9);
    barcode.SetHeight(450);
    barcode.SetInterpret(false);
    barcode.SetBarcodeText("71123456789000000423");
    std::string expected(10, '0');
    for (const int value : EncodeCode128("71123456789000000423")) {
        expected += Code128Pattern(value);
    }
    expected += std::string(10, '0');
    const MonoBitmap upright = barcode.Bitmap();
    EXPECT_EQ(ModulesOfRow(upright, 0, 9), expected);
    EXPECT_EQ(ModulesOfRow(upright, 449, 9), expected);

    barcode.SetRotate(bcRotate180);
    const std::string reversed(expected.rbegin(), expected.rend());
    EXPECT_EQ(ModulesOfRow(barcode.Bitmap(), 0, 9), reversed);
    EXPECT_EQ(ModulesOfRow(barcode.Bitmap(), 449, 9), reversed);
}

TEST(TBarcodeBmpTest, PostnetHalfBarsHangFromTheTopAfterAHalfTurn) {
    TBarcodeBmp barcode;
    barcode.SetBarcodeType(bcPOSTNET);
    barcode.SetScale(14);
    barcode.SetHeight(84);
    barcode.SetBarcodeText("12345");
    const MonoBitmap upright = barcode.Bitmap();
    // Frame bar at 10 modules, then the first digit 1 = 00011: a half bar at 12.
    const int frame = 10 * 14;
    const int half = 12 * 14;
    EXPECT_TRUE(upright.IsBlack(frame, 0));
    EXPECT_TRUE(upright.IsBlack(frame, 83));
    EXPECT_FALSE(upright.IsBlack(half, 41));
    EXPECT_TRUE(upright.IsBlack(half, 42));
    EXPECT_TRUE(upright.IsBlack(half, 83));
    EXPECT_FALSE(upright.IsBlack(frame + 14, 83)); // the space before the bar

    barcode.SetRotate(bcRotate180);
    const MonoBitmap& turned = barcode.Bitmap();
    const int mirrored = turned.Width() - 1 - half;
    EXPECT_TRUE(turned.IsBlack(mirrored, 0));
    EXPECT_TRUE(turned.IsBlack(mirrored, 41));
    EXPECT_FALSE(turned.IsBlack(mirrored, 42));
    for (int j = 0; j < turned.Height(); ++j) {
        for (int i = 0; i < turned.Width(); ++i) {
            ASSERT_EQ(turned.Pixel(i, j), upright.Pixel(turned.Width() - 1 - i, 83 - j));
        }
    }
}

TEST(TBarcodeBmpTest, AnEmptyTextIsAWhiteBitmapTwentyModulesWide) {
    TBarcodeBmp barcode;
    barcode.SetBarcodeType(bcPOSTNET);
    barcode.SetScale(14);
    barcode.SetHeight(84);
    barcode.SetBarcodeText("");
    EXPECT_EQ(barcode.Bitmap(), MonoBitmap(280, 84));
}

TEST(MonoBitmapTest, ARectangleOfNegativeSizeFillsNothing) {
    MonoBitmap bitmap(8, 4);
    bitmap.FillRect(6, 1, -3, 2, MonoBitmap::kBlack);
    bitmap.FillRect(-2, 3, 1, -2, MonoBitmap::kBlack);
    bitmap.FillRect(-5, -5, -1, 20, MonoBitmap::kBlack);
    EXPECT_EQ(bitmap, MonoBitmap(8, 4));
}

TEST(TBarcodeBmpTest, ANegativeScaleRendersAnEmptyBitmap) {
    for (const TBarCodeType type : {bcCode128, bcPOSTNET}) {
        TBarcodeBmp barcode;
        barcode.SetBarcodeType(type);
        barcode.SetHeight(20);
        barcode.SetScale(-2);
        barcode.SetBarcodeText("12345678");
        EXPECT_EQ(barcode.Bitmap().Width(), 0) << type;
        EXPECT_EQ(barcode.Bitmap().Height(), 20) << type;
    }
}

TEST(RotateBitmapTest, QuarterTurnsGoClockwise) {
    MonoBitmap source(3, 2);
    source.SetPixel(0, 0, MonoBitmap::kBlack);
    const MonoBitmap right = RotateBitmap(source, 1);
    EXPECT_EQ(right.Width(), 2);
    EXPECT_EQ(right.Height(), 3);
    EXPECT_TRUE(right.IsBlack(1, 0));
    const MonoBitmap left = RotateBitmap(source, 3);
    EXPECT_TRUE(left.IsBlack(0, 2));
    EXPECT_EQ(RotateBitmap(right, 3), source);
    EXPECT_EQ(RotateBitmap(RotateBitmap(source, 2), 2), source);
}

} // namespace
} // namespace vell3
