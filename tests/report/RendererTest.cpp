// The two passes of the renderer over rows held in memory: where pages
// break, what each page shows, and that drawing a page reads only its rows.

#include "ReportOutput.h"
#include "ReportRenderer.h"
#include "ReportTestSupport.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace vell3::report {
namespace {

using test::PdfText;

// Rows in memory that count how they are read.
class MemoryRows : public RowSource {
public:
    explicit MemoryRows(std::vector<std::map<QString, QString>> rows) : rows_(std::move(rows)) {}

    bool Seek(std::size_t position) override {
        ++seeks;
        current_ = position;
        return position < rows_.size();
    }
    bool Next() override {
        ++current_;
        return current_ < rows_.size();
    }
    QString Value(const QString& field) override {
        ++reads;
        return rows_.at(current_).at(field);
    }
    bool HasField(const QString& field) const override {
        return field == QLatin1String("name") || field == QLatin1String("fee");
    }

    int seeks = 0;
    int reads = 0;

private:
    std::vector<std::map<QString, QString>> rows_;
    std::size_t current_ = 0;
};

std::vector<std::map<QString, QString>> Rows(int count) {
    std::vector<std::map<QString, QString>> rows;
    for (int i = 1; i <= count; ++i) {
        rows.push_back(
            {{QStringLiteral("name"), QStringLiteral("Name %1").arg(i, 4, 10, QLatin1Char('0'))},
             {QStringLiteral("fee"),
              i % 10 == 0 ? QStringLiteral("n/a") : QStringLiteral("1.25")}});
    }
    return rows;
}

// Letter paper, 36-point margins: 720 points between them. With a header of
// 60 and a footer of 20, 640 points hold 32 detail lines of 20.
std::string Definition(const std::string& detailExtra, bool summary) {
    std::string text =
        R"({"format": "Vell3 reports 1", "reports": {"R": {
        "page": {"size": "Letter", "margins": {"left": 36, "top": 36, "right": 36, "bottom": 36}},
        "pageHeader": {"height": 60, "items": [{"text": "Head {param:MyTime}", "x": 0, "y": 0}]},
        "detail": {"height": 20)" +
        detailExtra + R"(, "items": [
            {"text": "L{line}", "x": 0, "y": 0},
            {"text": "R{row} {field:name} [{field:fee}]", "x": 60, "y": 0},
            {"line": [0, 19, 540, 19]}]},
        "pageFooter": {"height": 20, "items": [
            {"text": "Page {page} of {pages}; here {pageCount} for {pageSum:fee}", "x": 0, "y": 0}]})";
    if (summary) {
        text +=
            R"(, "summary": {"height": 100, "items": [{"text": "All {count} for {sum:fee}", "x": 0, "y": 0}]})";
    }
    return text + "}}}";
}

struct PlanCase {
    int rows;
    bool summary;
    int pages;
};

class PagePlan : public ::testing::TestWithParam<PlanCase> {};

TEST_P(PagePlan, BreaksWhereTheLinesRunOut) {
    const ReportProject project =
        ReportProject::Parse(QByteArray::fromStdString(Definition("", GetParam().summary)), {});
    MemoryRows rows(Rows(GetParam().rows));
    ReportRenderer renderer(*project.Find(QStringLiteral("R")), rows, {}, {});
    EXPECT_EQ(renderer.PageCount(), GetParam().pages);
    EXPECT_EQ(renderer.RowCount(), static_cast<std::size_t>(GetParam().rows));
}

INSTANTIATE_TEST_SUITE_P(Cases, PagePlan,
                         ::testing::Values(PlanCase{0, false, 1}, PlanCase{0, true, 1},
                                           PlanCase{1, true, 1}, PlanCase{32, false, 1},
                                           PlanCase{33, false, 2},
                                           // 27 lines leave 100 points: the summary fits.
                                           PlanCase{27, true, 1},
                                           // 28 lines leave 80: the summary takes a page.
                                           PlanCase{28, true, 2}, PlanCase{64, true, 3}));

class RendererPdf : public test::ReportTest {};

TEST_F(RendererPdf, PagesShowTheirRowsNumbersAndTotals) {
    const ReportProject project =
        ReportProject::Parse(QByteArray::fromStdString(Definition("", true)), {});
    MemoryRows rows(Rows(40));
    ReportRenderer renderer(*project.Find(QStringLiteral("R")), rows,
                            {{QStringLiteral("MyTime"), QStringLiteral("Date Printed: now")}}, {});
    ASSERT_EQ(renderer.PageCount(), 2);
    const std::string pdf = Path("r.pdf");
    ASSERT_TRUE(WriteReportPdf(renderer, QString::fromStdString(pdf)));
    const std::string first = PdfText(pdf, 1);
    const std::string second = PdfText(pdf, 2);
    EXPECT_NE(first.find("Head Date Printed: now"), std::string::npos);
    EXPECT_NE(first.find("R1 Name 0001 [1.25]"), std::string::npos);
    EXPECT_NE(first.find("R32 Name 0032 [1.25]"), std::string::npos);
    // Rows 10, 20, 30 do not read as money: shown as stored, counted as 0.
    EXPECT_NE(first.find("R10 Name 0010 [n/a]"), std::string::npos);
    EXPECT_NE(first.find("Page 1 of 2; here 32 for 36.25"), std::string::npos) << first;
    EXPECT_NE(second.find("R33 Name 0033 [1.25]"), std::string::npos) << second;
    EXPECT_NE(second.find("Page 2 of 2; here 8 for 8.75"), std::string::npos) << second;
    EXPECT_NE(second.find("All 40 for 45.00"), std::string::npos) << second;
    EXPECT_EQ(first.find("All 40"), std::string::npos);
}

TEST_F(RendererPdf, DrawingAPageReadsOnlyItsOwnRows) {
    const ReportProject project =
        ReportProject::Parse(QByteArray::fromStdString(Definition("", false)), {});
    MemoryRows rows(Rows(320));
    ReportRenderer renderer(*project.Find(QStringLiteral("R")), rows, {}, {});
    ASSERT_EQ(renderer.PageCount(), 10);
    QImage image(200, 260, QImage::Format_RGB32);
    image.setDotsPerMeterX(1000); // about 25 dpi
    image.setDotsPerMeterY(1000);
    image.fill(Qt::white);
    rows.seeks = rows.reads = 0;
    QPainter painter(&image);
    renderer.DrawPage(7, painter);
    painter.end();
    EXPECT_EQ(rows.seeks, 1);
    // Per row: name and fee for the text, fee for the page total.
    EXPECT_EQ(rows.reads, 32 * 3);
}

TEST_F(RendererPdf, UnusedLinesKeepTheirNumbersAndAreStruckThrough) {
    const ReportProject project =
        ReportProject::Parse(QByteArray::fromStdString(Definition(
                                 R"(, "linesPerPage": 10, "strikeUnusedLines": true)", false)),
                             {});
    MemoryRows rows(Rows(13));
    ReportRenderer renderer(*project.Find(QStringLiteral("R")), rows, {}, {});
    ASSERT_EQ(renderer.PageCount(), 2);
    const std::string pdf = Path("book.pdf");
    ASSERT_TRUE(WriteReportPdf(renderer, QString::fromStdString(pdf)));
    const std::string second = PdfText(pdf, 2);
    EXPECT_NE(second.find("L3"), std::string::npos) << second;
    EXPECT_NE(second.find("R13 Name 0013"), std::string::npos) << second;
    // The unused lines show their numbers and nothing of a row.
    EXPECT_NE(second.find("\nL4\n"), std::string::npos) << second;
    EXPECT_NE(second.find("\nL10\n"), std::string::npos) << second;
    EXPECT_EQ(second.find("L11"), std::string::npos);
    EXPECT_EQ(second.find("R14"), std::string::npos);

    // The stroke runs from the first unused line's top-left (36, 156) to the
    // last one's bottom-right (576, 296): its middle is dark, the rest of the
    // unused area light.
    QImage image(612, 792, QImage::Format_RGB32);
    image.setDotsPerMeterX(2835); // 72 dpi: one pixel a point
    image.setDotsPerMeterY(2835);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.DrawPage(1, painter);
    painter.end();
    const auto darkNear = [&](int x, int y) {
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                if (qGray(image.pixel(x + dx, y + dy)) < 128) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(darkNear(306, 226));
    EXPECT_TRUE(darkNear(171, 191));
    EXPECT_FALSE(darkNear(500, 170));
    EXPECT_FALSE(darkNear(100, 280));
    EXPECT_NE(second.find("here 3 for 3.75"), std::string::npos);
}

TEST(RendererFields, ARowFieldTheRowsLackIsADefinitionError) {
    const ReportProject project = ReportProject::Parse(
        R"({"format": "Vell3 reports 1", "reports": {"R": {"page": {"margins": {"left": 36, "top": 36,
        "right": 36, "bottom": 36}}, "detail": {"height": 12, "items": [{"text": "{field:zipcode}", "x": 0,
        "y": 0}]}}}})",
        {});
    MemoryRows rows(Rows(1));
    try {
        ReportRenderer renderer(*project.Find(QStringLiteral("R")), rows, {},
                                QStringLiteral("/p/Vell3.rav"));
        FAIL() << "accepted an unknown field";
    } catch (const ReportDefinitionError& error) {
        EXPECT_EQ(error.Text().toStdString(),
                  "The report definition file \"/p/Vell3.rav\" cannot be "
                  "used:\rreport \"R\": the rows have no field \"zipcode\".");
    }
}

} // namespace
} // namespace vell3::report
