// Compares the bars the component draws with those of zint, an independent
// encoder: the same modules in the same order, quiet zones aside.

#include "BarcodeBmp.h"
#include "BarcodeTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace vell3 {
namespace {

using vell3::testing::ModulesOfRow;

#ifdef VELL3_ZINT

// zint's symbology numbers.
constexpr int kZintCode128 = 20;
constexpr int kZintPostnet = 40;

// The rows of `zint --dump`: hexadecimal digits, each four modules.
std::vector<std::string> ZintRows(int symbology, const std::string& data) {
    const std::string command =
        std::string(VELL3_ZINT) + " --dump -b " + std::to_string(symbology) + " -d '" + data + "'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) {
        return {};
    }
    std::vector<std::string> rows;
    std::array<char, 4096> line{};
    while (fgets(line.data(), static_cast<int>(line.size()), pipe.get()) != nullptr) {
        std::string modules;
        for (const char* p = line.data(); *p != '\0'; ++p) {
            const char c = *p;
            int nibble = -1;
            if (c >= '0' && c <= '9') {
                nibble = c - '0';
            } else if (c >= 'A' && c <= 'F') {
                nibble = c - 'A' + 10;
            }
            if (nibble >= 0) {
                for (int bit = 3; bit >= 0; --bit) {
                    modules.push_back(((nibble >> bit) & 1) != 0 ? '1' : '0');
                }
            }
        }
        if (!modules.empty()) {
            rows.push_back(modules);
        }
    }
    return rows;
}

// Leading and trailing light modules (quiet zones, the dump's padding) aside.
std::string Bars(const std::string& modules) {
    const auto first = modules.find('1');
    if (first == std::string::npos) {
        return {};
    }
    return modules.substr(first, modules.rfind('1') - first + 1);
}

class ZintCode128Test : public ::testing::TestWithParam<const char*> {};

TEST_P(ZintCode128Test, SameModulesAsZint) {
    const int scale = 3;
    TBarcodeBmp barcode;
    barcode.SetScale(scale);
    barcode.SetHeight(20);
    barcode.SetInterpret(false);
    barcode.SetBarcodeText(GetParam());
    const auto rows = ZintRows(kZintCode128, GetParam());
    ASSERT_EQ(rows.size(), 1U);
    const std::string ours = ModulesOfRow(barcode.Bitmap(), 10, scale);
    EXPECT_EQ(ours.substr(0, 10), std::string(10, '0'));
    EXPECT_EQ(Bars(ours), Bars(rows[0]));
}

INSTANTIATE_TEST_SUITE_P(LabelNumbers, ZintCode128Test,
                         ::testing::Values("71123456789000000423", "71000000000000000015",
                                           "71123456789000000010", "71999999999999999996",
                                           "71012345678901234567", "7112",
                                           // Check characters 100, 101 and 102, which
                                           // no pair of digits spells.
                                           "71123456802999999995", "71123456793000000420",
                                           "71123456818000000420"));

class ZintPostnetTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ZintPostnetTest, SameFullAndHalfBarsAsZint) {
    const int scale = 2;
    TBarcodeBmp barcode;
    barcode.SetBarcodeType(bcPOSTNET);
    barcode.SetScale(scale);
    barcode.SetHeight(12);
    barcode.SetBarcodeText(GetParam());
    // zint draws POSTNET as two rows: the upper one holds the full bars only,
    // the lower one every bar.
    const auto rows = ZintRows(kZintPostnet, barcode.BarcodeText());
    ASSERT_EQ(rows.size(), 2U);
    const MonoBitmap& bitmap = barcode.Bitmap();
    EXPECT_EQ(Bars(ModulesOfRow(bitmap, 0, scale)), Bars(rows[0]));
    EXPECT_EQ(Bars(ModulesOfRow(bitmap, bitmap.Height() - 1, scale)), Bars(rows[1]));
}

INSTANTIATE_TEST_SUITE_P(Zips, ZintPostnetTest,
                         ::testing::Values("12345", "12345-6789", "90210", "00000", "99999-9999",
                                           "12345678901"));

#else

TEST(ZintComparisonTest, NeedsZint) {
    GTEST_SKIP() << "zint is not installed";
}

#endif

} // namespace
} // namespace vell3
