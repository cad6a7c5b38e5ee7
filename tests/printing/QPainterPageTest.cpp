// The QPainter page on an image: where texts and bitmaps land, what they
// cover, and which fonts stand in for the form's Windows fonts.

#include "QPainterPage.h"
#include "LayoutTestSupport.h"
#include "U_CertPrint.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <regex>
#include <string>

namespace vell3 {
namespace {

// A colour that neither the white boxes nor antialiased black text can make.
constexpr QRgb kEmpty = 0xffff0000;

class QPainterPageTest : public ::testing::Test {
protected:
    QPainterPageTest() : image_(800, 800, QImage::Format_RGB32) { image_.fill(kEmpty); }

    // Pixels of a rectangle that are still the colour of the empty image, and
    // those that are black.
    int EmptyIn(const QRect& rect) const { return Count(rect, kEmpty); }
    int BlackIn(const QRect& rect) const { return Count(rect, qRgb(0, 0, 0)); }

    int Count(const QRect& rect, QRgb colour) const {
        int n = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                n += image_.pixel(x, y) == colour ? 1 : 0;
            }
        }
        return n;
    }

    QImage image_;
};

PrintFont Font(const char* face, int height, int angle) {
    PrintFont font;
    font.face = face;
    font.height = height;
    font.escapement = angle;
    font.orientation = angle;
    return font;
}

TEST_F(QPainterPageTest, FormFontsMapToTheDebianFonts) {
    QPainterPage page(image_, PageGeometry{300, 300, 0, 0});
    EXPECT_EQ(QFontInfo(QPainterPage::ToQFont(Font("OCR A Extended", -42, 0))).family(),
              QStringLiteral("OCRA"));
    EXPECT_EQ(QFontInfo(QPainterPage::ToQFont(Font("Arial", -42, 0))).family(),
              QStringLiteral("Liberation Sans"));
    EXPECT_EQ(QPainterPage::ToQFont(Font("Arial", -42, 0)).pixelSize(), 42);
}

struct TextCase {
    const char* name;
    int angle;
};

class RotatedTextTest : public QPainterPageTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(RotatedTextTest, CoversItsFrameOpaquelyOnTheSideTheAngleGives) {
    QPainterPage page(image_, PageGeometry{300, 300, 0, 0});
    page.BeginDocument();
    page.SelectFont(Font("OCR A Extended", -40, GetParam().angle));
    const int width = page.TextWidth("MWMW");
    page.DrawText(400, 400, "MWMW");
    page.EndDocument();
    const int height = QFontMetrics(QPainterPage::ToQFont(page.CurrentFont()), &image_).height();
    EXPECT_EQ(width, QFontMetrics(QPainterPage::ToQFont(page.CurrentFont()), &image_)
                         .horizontalAdvance(QStringLiteral("MWMW")));
    // The frame as it lies on the page: at 180 degrees leftwards of the
    // anchor and above it; at 270 downwards and to the left of it.
    const QRect frame = GetParam().angle == 1800 ? QRect(400 - width, 400 - height, width, height)
                                                 : QRect(400 - height, 400, height, width);
    const QRect inner = frame.adjusted(2, 2, -2, -2);
    EXPECT_EQ(EmptyIn(inner), 0) << "the background is opaque white";
    EXPECT_GT(BlackIn(inner), 0);
    // Nothing on the other sides of the anchor.
    EXPECT_EQ(EmptyIn(QRect(402, 0, 398, 398)), 398 * 398);
    if (GetParam().angle == 1800) {
        EXPECT_EQ(EmptyIn(QRect(0, 402, 800, 398)), 800 * 398);
    } else {
        EXPECT_EQ(EmptyIn(QRect(0, 0, 800, 398)), 800 * 398);
    }
}

INSTANTIATE_TEST_SUITE_P(Angles, RotatedTextTest,
                         ::testing::Values(TextCase{"UpsideDown", 1800},
                                           TextCase{"QuarterLeft", 2700}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(QPainterPageTest, ABitmapReplacesWhatLiesUnderItStretchedToItsRectangle) {
    MonoBitmap bitmap(4, 2);
    bitmap.FillRect(1, 0, 1, 2, MonoBitmap::kBlack); // one dark column
    QPainterPage page(image_, PageGeometry{300, 300, 0, 0});
    page.BeginDocument();
    page.DrawBitmap(100, 200, 40, 10, bitmap); // stretched ten times across, five down
    page.EndDocument();
    EXPECT_EQ(BlackIn(QRect(110, 200, 10, 10)), 100);
    EXPECT_EQ(Count(QRect(100, 200, 10, 10), qRgb(255, 255, 255)), 100);
    EXPECT_EQ(Count(QRect(120, 200, 20, 10), qRgb(255, 255, 255)), 200);
    EXPECT_EQ(EmptyIn(QRect(100, 210, 40, 5)), 200);
    EXPECT_EQ(EmptyIn(QRect(140, 200, 5, 10)), 50);
}

// The printer path with a printable area that does not start at the paper's
// corner: a QPrinter writing PDF with quarter-inch and tenth-inch margins.
// Positions are from the paper's edge, so the words land where they would
// without margins.
TEST(PrinterPageTest, PrintableAreaOffsetsKeepItemsAtTheirPaperPositions) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("printer.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(0.25, 0.10, 0.25, 0.10), QPageLayout::Inch);
    const PageGeometry geometry = GeometryOf(printer);
    // Qt keeps PDF margins in whole points, so a tenth of an inch comes out
    // a few device units short.
    EXPECT_NEAR(geometry.offsetX, printer.resolution() / 4, 3);
    EXPECT_NEAR(geometry.offsetY, printer.resolution() / 10, 3);
    {
        PrinterPage page(printer);
        EXPECT_EQ(PrintMailerForm(page, testing::SampleMailer(), true, BasePrintFont{}),
                  "7112 3456 7890 0000 0423");
    }
    const std::string command = "pdftotext -bbox '" + path.toStdString() + "' -";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    ASSERT_TRUE(pipe);
    std::string html;
    std::array<char, 4096> buffer{};
    while (fgets(buffer.data(), static_cast<int>(buffer.size()), pipe.get()) != nullptr) {
        html += buffer.data();
    }
    // "RECEIPT" at (1.20, 3.30): at 180 degrees its box ends there.
    const std::regex receipt(R"re(xMax="([0-9.]+)" yMax="([0-9.]+)">RECEIPT<)re");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(html, match, receipt)) << html;
    EXPECT_NEAR(std::stod(match[1]), 1.20 * 72, 1.0);
    EXPECT_NEAR(std::stod(match[2]), 3.30 * 72, 1.0);
}

} // namespace
} // namespace vell3

int main(int argc, char** argv) {
    // Test discovery runs the program outside ctest's environment; it never
    // shows a window.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
