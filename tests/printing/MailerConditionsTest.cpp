#include "LayoutTestSupport.h"
#include "RecordingPage.h"
#include "U_CertPrint.h"
#include "UserError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vell3 {
namespace {

using vell3::testing::DeviceUnits;
using vell3::testing::SampleMailer;

// The text items drawn at a page position (600 dpi, no offsets or alignment).
std::vector<std::string> TextsAt(const RecordingPage& page, double x, double y) {
    std::vector<std::string> texts;
    for (const auto& item : page.Texts()) {
        if (item.x == DeviceUnits(x, 0, 600, 0) && item.y == DeviceUnits(y, 0, 600, 0)) {
            texts.push_back(item.text);
        }
    }
    return texts;
}

struct BitmapAt {
    int x;
    int y;
    int width;
    bool operator==(const BitmapAt&) const = default;
};

std::vector<BitmapAt> ZipBitmaps(const RecordingPage& page) {
    std::vector<BitmapAt> result;
    for (const auto& item : page.Bitmaps()) {
        if (item.height == 84) { // the POSTNET symbols at 600 dpi
            result.push_back({item.x, item.y, item.width});
        }
    }
    return result;
}

int X(double inches) {
    return DeviceUnits(inches, 0, 600, 0);
}
int Y(double inches) {
    return DeviceUnits(inches, 0, 600, 0);
}

struct ZipCase {
    const char* name;
    const char* recipientZip;
    const char* senderZip;
    const char* printExtraLabel;
    const char* extraLabel;
    std::vector<BitmapAt> bitmaps; // Z1, Z2, Z3 as drawn
    std::vector<std::string> extraLabelLine1;
};

class ZipBarcodeTest : public ::testing::TestWithParam<ZipCase> {};

TEST_P(ZipBarcodeTest, PositionsFollowTheZipLengthAndTheExtraLabel) {
    const ZipCase& c = GetParam();
    MailerFormValues values = SampleMailer();
    values.RecipientZip = c.recipientZip;
    values.SenderZip = c.senderZip;
    values.PrintExtraLabel = c.printExtraLabel;
    values.ExtraLabel = c.extraLabel;
    RecordingPage page(600, 600);
    PrintMailerForm(page, values, true, BasePrintFont{});
    EXPECT_EQ(ZipBitmaps(page), c.bitmaps);
    EXPECT_EQ(TextsAt(page, 2.80, 6.60), c.extraLabelLine1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ZipBarcodeTest,
    ::testing::Values(
        ZipCase{"Zip4AddressedTo",
                "12345-6789",
                "62701",
                "Yes",
                "Addressed To",
                {{X(3.56), Y(5.63), 1722}, {X(4.48), Y(3.83), 1162}, {X(0.15), Y(5.63), 1722}},
                {"JOHN SMITH"}},
        ZipCase{"Zip5SenderZip4",
                "12345",
                "62701-0001",
                "Yes",
                "Addressed To",
                {{X(4.48), Y(5.63), 1162}, {X(3.56), Y(3.83), 1722}, {X(1.08), Y(5.63), 1162}},
                {"JOHN SMITH"}},
        ZipCase{"SenderOnExtraLabel",
                "12345",
                "62701",
                "Yes",
                "Your Name and Address",
                {{X(4.48), Y(5.63), 1162}, {X(4.48), Y(3.83), 1162}},
                {"JANE DOE"}},
        ZipCase{"NoExtraLabel",
                "12345-6789",
                "62701",
                "No",
                "Addressed To",
                {{X(3.56), Y(5.63), 1722}, {X(4.48), Y(3.83), 1162}},
                {}},
        // An empty ZIP blanks a white rectangle twenty modules wide.
        ZipCase{"EmptyZips",
                "",
                "",
                "Yes",
                "Addressed To",
                {{X(4.48), Y(5.63), 280}, {X(4.48), Y(3.83), 280}, {X(1.08), Y(5.63), 280}},
                {"JOHN SMITH"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MailerConditionsTest, AnEmptyZipDrawsAWhiteBitmap) {
    MailerFormValues values = SampleMailer();
    values.RecipientZip = "";
    RecordingPage page(600, 600);
    PrintMailerForm(page, values, true, BasePrintFont{});
    const auto bitmaps = page.Bitmaps();
    const auto& z1 = bitmaps[2].bitmap;
    EXPECT_EQ(z1, MonoBitmap(280, 84));
}

TEST(MailerConditionsTest, PrePrintedModeDrawsNoLabelBarcodesButTheGroupedNumber) {
    MailerFormValues values = SampleMailer();
    values.NumberSource = "71123456789000000423";
    values.SerialSource = "";
    RecordingPage page(600, 600);
    EXPECT_EQ(PrintMailerForm(page, values, false, BasePrintFont{}), "7112 3456 7890 0000 0423");
    EXPECT_EQ(page.Bitmaps().size(), 3U); // Z1 to Z3 only
    int grouped = 0;
    for (const auto& item : page.Texts()) {
        grouped += item.text == "7112 3456 7890 0000 0423" ? 1 : 0;
    }
    EXPECT_EQ(grouped, 1);
    EXPECT_EQ(TextsAt(page, 1.47, 3.17), std::vector<std::string>{"7112 3456 7890 0000 0423"});
}

TEST(MailerConditionsTest, BarcodeModeFormsTheLabelNumberFromCustomerIdAndSerial) {
    MailerFormValues values = SampleMailer();
    values.NumberSource = "123456789";
    values.SerialSource = "00000001";
    RecordingPage page(600, 600);
    EXPECT_EQ(PrintMailerForm(page, values, true, BasePrintFont{}), "7112 3456 7890 0000 0010");
}

TEST(MailerConditionsTest, UpperCasesTheBlocksButNotTheReceiptReOrComment) {
    MailerFormValues values = SampleMailer();
    values.ReText = "lower re";
    values.CommentText = "lower comment";
    values.RecipientLine1 = "john smith \xc3\xa9";
    RecordingPage page(600, 600);
    PrintMailerForm(page, values, true, BasePrintFont{});
    // Only the letters a to z are upper-cased.
    EXPECT_EQ(TextsAt(page, 6.20, 6.60), std::vector<std::string>{"JOHN SMITH \xc3\xa9"});
    EXPECT_EQ(TextsAt(page, 5.20, 1.35), std::vector<std::string>{"JOHN SMITH \xc3\xa9"});
    EXPECT_EQ(TextsAt(page, 1.45, 2.13), std::vector<std::string>{"john smith \xc3\xa9"});
    EXPECT_EQ(TextsAt(page, 6.20, 5.15), std::vector<std::string>{"RE: lower re"});
    EXPECT_EQ(TextsAt(page, 8.06, 3.80), std::vector<std::string>{"lower comment"});
}

TEST(MailerConditionsTest, UntickedRestrictedDeliveryDrawsNoMarkAndNoFeeButTheCaption) {
    MailerFormValues values = SampleMailer();
    values.RestrictedMark = "N";
    values.RestrictedText = FeeFieldText("");
    RecordingPage page(600, 600);
    PrintMailerForm(page, values, true, BasePrintFont{});
    EXPECT_TRUE(TextsAt(page, 3.99, 3.30).empty());
    const auto texts = page.Texts();
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                            [](const auto& item) { return item.y == Y(1.13); }),
              1);
    EXPECT_EQ(TextsAt(page, 1.45, 1.13), std::vector<std::string>{"Restricted"});
}

TEST(MailerConditionsTest, EmptyLinesDrawNothing) {
    MailerFormValues values = SampleMailer();
    values.SetRecipientLines({"", "", "", "", ""});
    values.CommentText = "";
    RecordingPage page(600, 600);
    PrintMailerForm(page, values, true, BasePrintFont{});
    for (const auto& item : page.Texts()) {
        EXPECT_FALSE(item.text.empty());
    }
    EXPECT_TRUE(TextsAt(page, 6.20, 6.60).empty());
    EXPECT_TRUE(TextsAt(page, 8.06, 3.80).empty());
}

TEST(MailerConditionsTest, AnEmptyReTextDrawsNoReItem) {
    MailerFormValues values = SampleMailer();
    values.ReText = "";
    RecordingPage page(600, 600);
    PrintMailerForm(page, values, true, BasePrintFont{});
    for (const auto& item : page.Texts()) {
        EXPECT_FALSE(item.text.starts_with("RE:")) << item.x << ", " << item.y;
    }
    // Only the three RE items are left out.
    RecordingPage sample(600, 600);
    PrintMailerForm(sample, SampleMailer(), true, BasePrintFont{});
    EXPECT_EQ(page.Texts().size() + 3, sample.Texts().size());
}

TEST(MailerConditionsTest, ANonNumericAlignmentAbortsTheStartedDocument) {
    MailerFormValues values = SampleMailer();
    values.AlignX = "abc";
    RecordingPage page(600, 600);
    EXPECT_THROW(PrintMailerForm(page, values, true, BasePrintFont{}), UserError);
    EXPECT_EQ(page.Events(),
              (std::vector{RecordingPage::Event::Begin, RecordingPage::Event::Abort}));
    EXPECT_TRUE(page.Items().empty());
}

TEST(MailerConditionsTest, ADocumentThatCannotStartDrawsNothing) {
    RecordingPage page(600, 600);
    page.FailBegin("no printer");
    try {
        PrintMailerForm(page, SampleMailer(), true, BasePrintFont{});
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), "no printer");
    }
    EXPECT_TRUE(page.Events().empty());
    EXPECT_TRUE(page.Items().empty());
}

TEST(MailerConditionsTest, LabelBarcodePagesDrawOnlyTheLabelItemsAndStepTheSerial) {
    std::vector<std::unique_ptr<RecordingPage>> pages;
    PrintBarCodeLabels(3, "123456789", "99999998", 0, 0, BasePrintFont{}, [&] {
        pages.push_back(std::make_unique<RecordingPage>(600, 600));
        return pages.back().get();
    });
    ASSERT_EQ(pages.size(), 3U);
    const char* expected[] = {"7112 3456 7899 9999 9982", "7112 3456 7899 9999 9999",
                              "7112 3456 7890 0000 0010"};
    for (std::size_t i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(pages[i]->Bitmaps().size(), 2U);
        ASSERT_EQ(pages[i]->Texts().size(), 5U);
        EXPECT_EQ(pages[i]->Texts()[0].text, expected[i]);
        EXPECT_EQ(pages[i]->Events(),
                  (std::vector{RecordingPage::Event::Begin, RecordingPage::Event::End}));
    }
    int calls = 0;
    PrintBarCodeLabels(0, "1", "1", 0, 0, BasePrintFont{}, [&] {
        ++calls;
        return pages.front().get();
    });
    EXPECT_EQ(calls, 0);
}

} // namespace
} // namespace vell3
