#include "LayoutTestSupport.h"
#include "RecordingPage.h"
#include "U_CertPrint.h"
#include "UserError.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace vell3 {
namespace {

using Kind = RecordingPage::ItemKind;
using vell3::testing::DeviceUnits;
using vell3::testing::SampleMailer;

constexpr const char* kOcr = "OCR A Extended";
constexpr const char* kArial = "Arial";
constexpr const char* kGrouped = "7112 3456 7890 0000 0423";

// One expected item of the sample mailer, in drawing order.
struct Expected {
    const char* item;
    Kind kind;
    const char* text; // Text items
    const char* face;
    int points;
    int angle;
    double x;
    double y;
    int bitmapWidth600; // Bitmap items: destination width at 600 dpi
    int bitmapHeight600;
};

constexpr Expected Txt(const char* item, const char* text, const char* face, int points, int angle,
                       double x, double y) {
    return {item, Kind::Text, text, face, points, angle, x, y, 0, 0};
}
constexpr Expected Bmp(const char* item, double x, double y, int width, int height) {
    return {item, Kind::Bitmap, "", "", 0, 1800, x, y, width, height};
}

// Fee amounts are placed by their width; they are checked apart.
const std::vector<Expected> kSampleItems = {
    Bmp("L1", 0.62, 4.10, 1500, 450),
    Bmp("L2", 2.60, 2.06, 1500, 240),
    Txt("L3", kGrouped, kOcr, 11, 1800, 2.98, 4.02),
    Txt("L4", kGrouped, kOcr, 11, 1800, 4.96, 1.98),
    Txt("L5", kGrouped, kOcr, 10, 1800, 4.50, 2.80),
    Txt("L6", kGrouped, kOcr, 10, 2700, 7.91, 3.80),
    Txt("L7", kGrouped, kOcr, 8, 2700, 8.10, 1.76),
    Bmp("Z1", 3.56, 5.63, 1722, 84),
    Bmp("Z2", 4.48, 3.83, 1162, 84),
    Bmp("Z3", 0.15, 5.63, 1722, 84),
    Txt("F1", "X", kOcr, 14, 1800, 3.99, 3.30),
    Txt("F2", "JANE DOE", kOcr, 10, 1800, 6.20, 4.85),
    Txt("F3", "12 MAIN ST", kOcr, 10, 1800, 6.20, 4.70),
    Txt("F4", "SPRINGFIELD IL 62701", kOcr, 10, 1800, 6.20, 4.55),
    Txt("F7", "JANE DOE", kOcr, 10, 1800, 7.65, 3.45),
    Txt("F8", "12 MAIN ST", kOcr, 10, 1800, 7.65, 3.30),
    Txt("F9", "SPRINGFIELD IL 62701", kOcr, 10, 1800, 7.65, 3.15),
    Txt("F12", "JOHN SMITH", kOcr, 10, 1800, 6.20, 6.60),
    Txt("F13", "4 ELM RD", kOcr, 10, 1800, 6.20, 6.45),
    Txt("F14", "BOSTON MA 02134-1234", kOcr, 10, 1800, 6.20, 6.30),
    Txt("F17", "JOHN SMITH", kOcr, 10, 1800, 5.20, 1.35),
    Txt("F18", "4 ELM RD", kOcr, 10, 1800, 5.20, 1.20),
    Txt("F19", "BOSTON MA 02134-1234", kOcr, 10, 1800, 5.20, 1.05),
    Txt("F22", "JOHN SMITH", kOcr, 10, 1800, 2.80, 6.60),
    Txt("F22", "4 ELM RD", kOcr, 10, 1800, 2.80, 6.45),
    Txt("F22", "BOSTON MA 02134-1234", kOcr, 10, 1800, 2.80, 6.30),
    Txt("F23", "RE: Case 7a", kOcr, 10, 1800, 6.20, 5.15),
    Txt("F24", "JANE DOE", kOcr, 10, 2700, 7.70, 3.80),
    Txt("F25", "12 MAIN ST", kOcr, 10, 2700, 7.55, 3.80),
    Txt("F26", "SPRINGFIELD IL 62701", kOcr, 10, 2700, 7.40, 3.80),
    Txt("F29", "RE: Case 7a", kOcr, 10, 2700, 8.21, 3.80),
    Txt("F30", "first notice", kOcr, 10, 2700, 8.06, 3.80),
    Txt("F31", kGrouped, kArial, 6, 1800, 1.47, 3.17),
    Txt("F32", "jane doe", kArial, 6, 1800, 1.45, 2.88),
    Txt("F33", "RE: Case 7a", kArial, 6, 1800, 1.45, 2.78),
    Txt("F34", "first notice", kArial, 6, 1800, 1.45, 2.68),
    Txt("F35", "john smith", kArial, 6, 1800, 1.45, 2.13),
    Txt("F36", "4 elm rd", kArial, 6, 1800, 1.45, 2.03),
    Txt("F37", "Boston MA 02134-1234", kArial, 6, 1800, 1.45, 1.93),
    Txt("F40a", "0.39", kArial, 6, 1800, -1, 1.43),
    Txt("F40b", "2.40", kArial, 6, 1800, -1, 1.33),
    Txt("F40c", "1.85", kArial, 6, 1800, -1, 1.23),
    Txt("F40d", "3.50", kArial, 6, 1800, -1, 1.13),
    Txt("F41a", "Postage", kArial, 6, 1800, 1.45, 1.43),
    Txt("F41b", "Certified Fee", kArial, 6, 1800, 1.45, 1.33),
    Txt("F41c", "Return Receipt", kArial, 6, 1800, 1.45, 1.23),
    Txt("F41d", "Restricted", kArial, 6, 1800, 1.45, 1.13),
    Txt("F42", "RECEIPT", kArial, 8, 1800, 1.20, 3.30),
    Txt("F43", "FROM:", kArial, 8, 1800, 1.60, 3.02),
    Txt("F44", "SEND TO:", kArial, 8, 1800, 1.60, 2.28),
    Txt("F45", "FEES:", kArial, 8, 1800, 1.60, 1.58),
    Txt("F46", "TOTAL", kArial, 8, 1800, 1.60, 0.98),
    Txt("F47", "POSTMARK OR DATE", kArial, 8, 1800, 1.50, 0.78),
    Txt("F48", "$ 8.14", kArial, 8, 1800, -1, 0.98),
};

// Font heights in device units, worked out by hand: -(points x dpi / 72),
// halves away from zero.
const std::map<int, std::map<int, int>> kHeights = {
    {600, {{14, -117}, {11, -92}, {10, -83}, {8, -67}, {6, -50}}},
    {300, {{14, -58}, {11, -46}, {10, -42}, {8, -33}, {6, -25}}},
};

struct Geometry {
    const char* name;
    int dpi;
    int offsetX;
    int offsetY;
    int alignX;
    int alignY;
};

class SampleMailerLayoutTest : public ::testing::TestWithParam<Geometry> {};

TEST_P(SampleMailerLayoutTest, EveryItemAtItsDevicePositionFontAndAngle) {
    const Geometry& g = GetParam();
    RecordingPage page(g.dpi, g.dpi, g.offsetX, g.offsetY);
    MailerFormValues values = SampleMailer();
    values.AlignX = std::to_string(g.alignX);
    values.AlignY = std::to_string(g.alignY);
    EXPECT_EQ(PrintMailerForm(page, values, true, BasePrintFont{}), kGrouped);
    EXPECT_EQ(page.Events(), (std::vector{RecordingPage::Event::Begin, RecordingPage::Event::End}));

    const auto& items = page.Items();
    ASSERT_EQ(items.size(), kSampleItems.size());
    const int amountEnd = DeviceUnits(0.30, g.offsetX, g.dpi, g.alignX);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Expected& e = kSampleItems[i];
        const auto& item = items[i];
        SCOPED_TRACE(std::string(e.item) + " " + e.text);
        ASSERT_EQ(item.kind, e.kind);
        EXPECT_EQ(item.y, DeviceUnits(e.y, g.offsetY, g.dpi, g.alignY));
        if (e.kind == Kind::Bitmap) {
            EXPECT_EQ(item.x, DeviceUnits(e.x, g.offsetX, g.dpi, g.alignX));
            EXPECT_EQ(item.width, e.bitmapWidth600 * g.dpi / 600);
            EXPECT_EQ(item.height, item.bitmap.Height());
            continue;
        }
        EXPECT_EQ(item.text, e.text);
        EXPECT_EQ(item.font.face, e.face);
        EXPECT_EQ(item.font.height, kHeights.at(g.dpi).at(e.points));
        EXPECT_EQ(item.font.escapement, e.angle);
        EXPECT_EQ(item.font.orientation, e.angle);
        EXPECT_EQ(item.font.weight, 400);
        EXPECT_FALSE(item.font.italic || item.font.underline || item.font.strikeOut);
        if (e.x < 0) {
            // Right-aligned: at 180 degrees the text runs leftwards from its
            // anchor, so every amount ends at x = 0.30.
            EXPECT_EQ(item.x - item.width, amountEnd);
        } else {
            EXPECT_EQ(item.x, DeviceUnits(e.x, g.offsetX, g.dpi, g.alignX));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Geometries, SampleMailerLayoutTest,
                         ::testing::Values(Geometry{"600dpi", 600, 0, 0, 0, 0},
                                           Geometry{"600dpiAligned", 600, 0, 0, 10, -10},
                                           Geometry{"300dpiOffset", 300, 75, 0, 0, 0},
                                           Geometry{"600dpiOffsetAligned", 600, 150, 90, -7, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

// The worked examples of the layout, with the device units spelt out.
TEST(MailerLayoutTest, AlignmentMovesEveryItemByThreeUnitsPerStep) {
    RecordingPage nominal(600, 600);
    RecordingPage moved(600, 600);
    MailerFormValues values = SampleMailer();
    PrintMailerForm(nominal, values, true, BasePrintFont{});
    values.AlignX = "10";
    values.AlignY = "-10";
    PrintMailerForm(moved, values, true, BasePrintFont{});
    ASSERT_EQ(nominal.Items().size(), moved.Items().size());
    for (std::size_t i = 0; i < nominal.Items().size(); ++i) {
        EXPECT_EQ(moved.Items()[i].x - nominal.Items()[i].x, 30) << i;
        EXPECT_EQ(moved.Items()[i].y - nominal.Items()[i].y, -30) << i;
    }
    // F2 "JANE DOE" at (6.20, 4.85), after L3-L7 and F1.
    EXPECT_EQ(nominal.Texts()[6].x, 3720);
    EXPECT_EQ(nominal.Texts()[6].y, 2910);
}

TEST(MailerLayoutTest, APrintableOffsetIsTakenOffEveryPosition) {
    RecordingPage page(300, 300, 75, 0); // 0.25 inch on the left
    PrintMailerForm(page, SampleMailer(), true, BasePrintFont{});
    const auto texts = page.Texts();
    // F2 at x = 6.20 lands at truncate(5.95 x 300).
    EXPECT_EQ(texts[6].text, "JANE DOE");
    EXPECT_EQ(texts[6].x, 1785);
    EXPECT_EQ(texts[6].y, 1455);
}

TEST(MailerLayoutTest, AmountsOfDifferentLengthsEndAtTheSameDeviceX) {
    RecordingPage page(600, 600);
    MailerFormValues values = SampleMailer();
    values.PostageText = FeeFieldText("2.40");
    values.CertFeeText = FeeFieldText("12.40");
    values.ReturnText = FeeFieldText("123.45");
    PrintMailerForm(page, values, true, BasePrintFont{});
    std::vector<int> ends;
    for (const auto& item : page.Texts()) {
        if (item.text == "2.40" || item.text == "12.40" || item.text == "123.45" ||
            item.text.starts_with("$ ")) {
            ends.push_back(item.x - item.width);
        }
    }
    ASSERT_EQ(ends.size(), 4U);
    for (const int end : ends) {
        EXPECT_EQ(end, 180); // 0.30 inch at 600 dpi
    }
}

} // namespace
} // namespace vell3
