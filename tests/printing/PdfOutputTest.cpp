// vell3-cli print writes a PDF that independent tools read back: poppler
// rasterises it for zbarimg, lists its fonts and extracts its text.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr const char* kLabelNumber = "71123456789000000423";
constexpr const char* kGrouped = "7112 3456 7890 0000 0423";

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

class PdfOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vell3-pdf-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        WriteSettings("[YourAddress]\nLine1=Ambervale Supply Co\nLine2=100 Harbor Way\n"
                      "City=Portland\nState=OR\nZip=97201\n"
                      "[Values]\nCustID=12-345-6789\nSerialNum=00000041\n");
    }
    void TearDown() override { fs::remove_all(dir_); }

    void WriteSettings(const std::string& text) { std::ofstream(Settings()) << text; }
    fs::path Settings() const { return dir_ / "vell3.ini"; }
    fs::path Pdf() const { return dir_ / "mailer.pdf"; }

    Result Run(const std::string& command) const {
        const fs::path out = dir_ / "stdout.txt";
        const fs::path err = dir_ / "stderr.txt";
        const int raw = std::system((command + " >" + Quote(out) + " 2>" + Quote(err)).c_str());
        Result result;
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = ReadFile(out);
        result.err = ReadFile(err);
        return result;
    }

    Result Print(const std::string& args) const {
        return Run(std::string(VELL3_CLI) + " --program-folder " + Quote(dir_) + " --settings " +
                   Quote(Settings()) + " print " + args);
    }

    std::string SampleArgs(int dpi) const {
        return "--pdf " + Quote(Pdf()) + " --dpi " + std::to_string(dpi) +
               " --line 'john smith' --line '4 elm rd' --city Boston --state MA"
               " --zip 02134-1234 --re 'Case 7a' --comment 'first notice' --restricted";
    }

    // The CODE-128 symbols zbarimg reads in a band of the page rasterised at
    // 300 dpi. zbar reports identical symbols of one image as one, so each
    // band holds one of the two label symbols.
    std::vector<std::string> SymbolsInBand(int top, int height) const {
        const fs::path png = dir_ / "band";
        const Result raster =
            Run("pdftoppm -r 300 -png -singlefile -y " + std::to_string(top) + " -H " +
                std::to_string(height) + " -W 2550 " + Quote(Pdf()) + " " + Quote(png));
        EXPECT_EQ(raster.status, 0) << raster.err;
        const Result scan =
            Run("zbarimg -q --raw -Scode128.enable " + Quote(png.string() + ".png"));
        return Lines(scan.out);
    }

    fs::path dir_;
};

class PdfResolutionTest : public PdfOutputTest, public ::testing::WithParamInterface<int> {};

TEST_P(PdfResolutionTest, TwoCode128SymbolsCarryTheLabelNumber) {
    const Result print = Print(SampleArgs(GetParam()));
    ASSERT_EQ(print.status, 0) << print.err;
    EXPECT_EQ(print.out, std::string(kGrouped) + "\n");
    // The small symbol lies between 2.06 and 2.46 inches from the top, the
    // large one between 4.10 and 4.85: 300 dpi bands above and below 3.3 inches.
    EXPECT_EQ(SymbolsInBand(0, 990), std::vector<std::string>{kLabelNumber});
    EXPECT_EQ(SymbolsInBand(990, 3300 - 990), std::vector<std::string>{kLabelNumber});
}

INSTANTIATE_TEST_SUITE_P(Dpi, PdfResolutionTest, ::testing::Values(300, 600));

// Where poppler finds the words of a few items. A text at 180 degrees runs
// leftwards from its anchor and hangs above it, so its box ends at the anchor
// on the right and at the bottom; one at 270 degrees runs downwards in a strip
// left of its anchor, so its box starts at the anchor's y and ends at its x.
struct WordBox {
    double xMin, yMin, xMax, yMax; // points
    std::string word;
};

std::vector<WordBox> WordBoxes(const std::string& bboxHtml) {
    static const std::regex word(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    std::vector<WordBox> boxes;
    for (auto it = std::sregex_iterator(bboxHtml.begin(), bboxHtml.end(), word);
         it != std::sregex_iterator(); ++it) {
        boxes.push_back({std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]),
                         std::stod((*it)[4]), (*it)[5]});
    }
    return boxes;
}

struct Placement {
    const char* word;
    int angle;
    double x; // inches, the anchor
    double y;
};

struct PlacementCase {
    const char* name;
    int dpi;
    int alignX;
    int alignY;
};

class PdfPlacementTest : public PdfOutputTest,
                         public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(PdfPlacementTest, WordsStandAtTheirAnchors) {
    const PlacementCase& c = GetParam();
    WriteSettings("[YourAddress]\nLine1=Ambervale Supply Co\nLine2=100 Harbor Way\n"
                  "City=Portland\nState=OR\nZip=97201\n"
                  "[Values]\nCustID=12-345-6789\nSerialNum=00000041\n[Print Align]\nLeftRight=" +
                  std::to_string(c.alignX) + "\nTopBottom=" + std::to_string(c.alignY) + "\n");
    ASSERT_EQ(Print(SampleArgs(c.dpi)).status, 0);
    const Result text = Run("pdftotext -bbox " + Quote(Pdf()) + " -");
    ASSERT_EQ(text.status, 0) << text.err;
    const auto boxes = WordBoxes(text.out);
    // Three device units a step, whatever the resolution.
    const double shiftX = 3.0 * c.alignX / c.dpi * 72;
    const double shiftY = 3.0 * c.alignY / c.dpi * 72;
    const Placement placements[] = {
        {"RECEIPT", 1800, 1.20, 3.30},   {"POSTMARK", 1800, 1.50, 0.78},
        {"FROM:", 1800, 1.60, 3.02},     {"JOHN", 1800, 6.20, 6.60},
        {"JOHN", 1800, 5.20, 1.35},      {"JOHN", 1800, 2.80, 6.60},
        {"AMBERVALE", 1800, 7.65, 3.45}, {"AMBERVALE", 2700, 7.70, 3.80},
        {"RE:", 2700, 8.21, 3.80},       {"Postage", 1800, 1.45, 1.43},
    };
    for (const Placement& p : placements) {
        const double x = p.x * 72 + shiftX;
        const double y = p.y * 72 + shiftY;
        bool found = false;
        for (const WordBox& box : boxes) {
            const double edgeY = p.angle == 1800 ? box.yMax : box.yMin;
            found = found || (box.word == p.word && std::abs(box.xMax - x) < 1.0 &&
                              std::abs(edgeY - y) < 1.0);
        }
        EXPECT_TRUE(found) << p.word << " at " << p.x << ", " << p.y;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PdfPlacementTest,
                         ::testing::Values(PlacementCase{"Nominal600", 600, 0, 0},
                                           PlacementCase{"Aligned300", 300, 10, -10},
                                           PlacementCase{"Aligned600", 600, -20, 15}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PdfOutputTest, EmbedsOcrAAndLiberationSans) {
    ASSERT_EQ(Print(SampleArgs(600)).status, 0);
    const Result fonts = Run("pdffonts " + Quote(Pdf()));
    ASSERT_EQ(fonts.status, 0) << fonts.err;
    bool ocr = false;
    bool sans = false;
    for (const std::string& line : Lines(fonts.out)) {
        std::istringstream fields(line);
        std::string name;
        std::string word;
        fields >> name;
        std::vector<std::string> rest;
        while (fields >> word) {
            rest.push_back(word);
        }
        // name, type (two words), encoding, emb, sub, uni, object ID
        const bool embedded = rest.size() >= 4 && rest[3] == "yes";
        ocr = ocr || (name.find("OCRA") != std::string::npos && embedded);
        sans = sans || (name.find("LiberationSans") != std::string::npos && embedded);
    }
    EXPECT_TRUE(ocr) << fonts.out;
    EXPECT_TRUE(sans) << fonts.out;
}

TEST_F(PdfOutputTest, TextHoldsTheBlocksAndTheReceiptStub) {
    ASSERT_EQ(Print(SampleArgs(600) + " --postage 2.4").status, 0);
    const Result text = Run("pdftotext -layout " + Quote(Pdf()) + " -");
    ASSERT_EQ(text.status, 0) << text.err;
    for (const char* expected :
         {kGrouped, "JOHN SMITH", "4 ELM RD", "BOSTON MA 02134-1234", "AMBERVALE SUPPLY CO",
          "100 HARBOR WAY", "PORTLAND OR 97201", "RE: Case 7a", "first notice", "RECEIPT",
          "FROM:", "SEND TO:", "FEES:", "TOTAL", "POSTMARK OR DATE", "Ambervale Supply Co",
          "john smith", "Boston MA 02134-1234", "Postage", "Certified Fee", "Return Receipt",
          "Restricted", "2.40", "1.85", "3.50",
          // 2.40 + 2.40 + 3.50 + 1.85
          "$ 10.15"}) {
        EXPECT_NE(text.out.find(expected), std::string::npos) << expected;
    }
    EXPECT_EQ(text.out.find("0.39"), std::string::npos) << "the typed postage replaces the default";
}

TEST_F(PdfOutputTest, StepsAndKeepsTheSerial) {
    ASSERT_EQ(Print(SampleArgs(300)).status, 0);
    EXPECT_NE(ReadFile(Settings()).find("SerialNum=00000042"), std::string::npos);
    const Result second = Print(SampleArgs(300));
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.out, "7112 3456 7890 0000 0430\n");
    EXPECT_NE(ReadFile(Settings()).find("SerialNum=00000043"), std::string::npos);
}

TEST_F(PdfOutputTest, RefusesTheUnsetCustomerIdAndKeepsTheSettings) {
    WriteSettings("[Values]\nCustID=00-000-0000\nSerialNum=00000041\n");
    const std::string before = ReadFile(Settings());
    const Result print = Print(SampleArgs(300));
    EXPECT_EQ(print.status, 1);
    EXPECT_EQ(print.err, "You can not print a Mailer with \"00-000-0000\" as a Customer ID.\n\n"
                         "Please enter in a Customer ID, and try again.\n");
    EXPECT_EQ(print.out, "");
    EXPECT_EQ(ReadFile(Settings()), before);
    EXPECT_FALSE(fs::exists(Pdf()));
}

TEST_F(PdfOutputTest, AFileThatCannotBeWrittenFailsButKeepsTheSteppedSequence) {
    const fs::path bad = dir_ / "missing-folder" / "mailer.pdf";
    const Result print = Print("--pdf " + Quote(bad));
    EXPECT_EQ(print.status, 1);
    EXPECT_EQ(print.out, "");
    EXPECT_EQ(print.err.rfind("Unable to write to " + bad.string() + ": ", 0), 0U) << print.err;
    EXPECT_FALSE(fs::exists(bad));
    EXPECT_NE(ReadFile(Settings()).find("SerialNum=00000042"), std::string::npos);
}

// A mailer is never printed with a number the settings file does not keep:
// the next print would hand the same number out again.
TEST_F(PdfOutputTest, ASequenceThatCannotBeSavedPrintsNothing) {
    // Readable, but too long a name for the temporary file beside it.
    const fs::path settings = dir_ / std::string(250, 's');
    fs::copy_file(Settings(), settings);
    const std::string before = ReadFile(settings);
    const Result print = Run(std::string(VELL3_CLI) + " --program-folder " + Quote(dir_) +
                             " --settings " + Quote(settings) + " print " + SampleArgs(300));
    EXPECT_EQ(print.status, 1);
    EXPECT_EQ(print.out, "");
    EXPECT_EQ(print.err, "Unable to write to vell3.ini\n");
    EXPECT_FALSE(fs::exists(Pdf()));
    EXPECT_EQ(ReadFile(settings), before);
}

TEST_F(PdfOutputTest, WithoutAPrinterFailsButKeepsTheSteppedSequence) {
    // A CUPS server that does not exist: no default printer, whatever the
    // machine has set up.
    const Result print = Run("CUPS_SERVER=" + Quote((dir_ / "no-cups.sock").string()) + " " +
                             VELL3_CLI + " --program-folder " + Quote(dir_) + " --settings " +
                             Quote(Settings()) + " print --line someone");
    EXPECT_EQ(print.status, 1);
    EXPECT_EQ(print.out, "");
    EXPECT_EQ(print.err, "There is no default printer.\n");
    EXPECT_NE(ReadFile(Settings()).find("SerialNum=00000042"), std::string::npos);
}

TEST_F(PdfOutputTest, PrePrintedModePrintsTheSteppedMailerNumber) {
    WriteSettings("[Values]\nPrintBarCode=0\nMailerNum=71123456789000000423\nIncrement=1\n");
    const Result print = Print("--pdf " + Quote(Pdf()));
    ASSERT_EQ(print.status, 0) << print.err;
    EXPECT_EQ(print.out, "7112 3456 7890 0000 0430\n");
    EXPECT_TRUE(SymbolsInBand(0, 3300).empty());
    EXPECT_NE(ReadFile(Settings()).find("MailerNum=71123456789000000430"), std::string::npos);
}

struct UsageCase {
    const char* args;
};

class PrintUsageTest : public PdfOutputTest, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(PrintUsageTest, BadOptionsAreUsageErrors) {
    const std::string before = ReadFile(Settings());
    const Result print = Print(GetParam().args);
    EXPECT_EQ(print.status, 2);
    EXPECT_EQ(print.err.rfind("usage: vell3-cli print", 0), 0U) << print.err;
    EXPECT_EQ(ReadFile(Settings()), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, PrintUsageTest,
                         ::testing::Values(UsageCase{"--dpi 0"}, UsageCase{"--dpi abc"},
                                           UsageCase{"--pdf"}, UsageCase{"--colour red"},
                                           UsageCase{"--line a --line b --line c --line d "
                                                     "--line e"}));

} // namespace
