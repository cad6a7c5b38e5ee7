#include "MailerSequence.h"
#include "UserError.h"

#include <gtest/gtest.h>

namespace vell3 {
namespace {

TEST(StepSerial, WrapsAndSkipsZeroOnTheWayUp) {
    const struct {
        const char* serial;
        int step;
        const char* expected;
    } cases[] = {
        {"00000041", +1, "00000042"}, {"99999998", +1, "99999999"}, {"99999999", +1, "00000001"},
        {"00000000", +1, "00000001"}, {"00000001", -1, "00000000"}, {"00000000", -1, "99999999"},
        {"00000100", -1, "00000099"}, {"42", +1, "00000043"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StepSerial(c.serial, c.step), c.expected) << c.serial << ' ' << c.step;
    }
}

TEST(StepSerial, NonNumericSerialFailsWithTheConversionMessage) {
    for (const char* serial : {"0000004x", "", "        "}) {
        try {
            StepSerial(serial, +1);
            FAIL() << serial;
        } catch (const UserError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "'" + std::string(serial) + "' is not a valid integer value");
        }
    }
}

AppSettings BarcodeMode(const char* serial) {
    AppSettings s;
    s.PrintBarCode = true;
    s.SerialNum = serial;
    return s;
}

AppSettings PrePrinted(const char* mailerNum, bool increment) {
    AppSettings s;
    s.PrintBarCode = false;
    s.Increment = increment;
    s.MailerNum = mailerNum;
    return s;
}

TEST(AdvanceMailerNumber, BarcodeModeStepsTheSerial) {
    AppSettings s = BarcodeMode("00000041");
    AdvanceMailerNumber(s);
    EXPECT_EQ(s.SerialNum, "00000042");
    s.SerialNum = "99999999";
    AdvanceMailerNumber(s);
    EXPECT_EQ(s.SerialNum, "00000001");
}

TEST(AdvanceMailerNumber, MenuConfirmationStepsBackSoTheNextPrintUsesTheConfirmedSerial) {
    AppSettings s = BarcodeMode("00000041");
    AdvanceMailerNumber(s);   // the dialog shows 00000042
    s.SerialNum = "00000100"; // the user confirms 00000100
    StepBackMailerNumber(s);
    EXPECT_EQ(s.SerialNum, "00000099");
    AdvanceMailerNumber(s);
    EXPECT_EQ(s.SerialNum, "00000100");

    s.SerialNum = "00000000";
    StepBackMailerNumber(s);
    EXPECT_EQ(s.SerialNum, "99999999");
    AdvanceMailerNumber(s);
    EXPECT_EQ(s.SerialNum, "00000001");
}

TEST(AdvanceMailerNumber, PrePrintedCountsInCharacters12To19AndRebuildsTheNumber) {
    // Positions 1-2 "99" become "71"; 3-11 stay; a fresh check digit.
    AppSettings up = PrePrinted("99123456789000000419", true);
    AdvanceMailerNumber(up);
    EXPECT_EQ(up.MailerNum, "71123456789000000423");
    StepBackMailerNumber(up);
    EXPECT_EQ(up.MailerNum.substr(11, 8), "00000041");

    AppSettings down = PrePrinted("71000000000000000000", false);
    AdvanceMailerNumber(down);
    EXPECT_EQ(down.MailerNum.substr(11, 8), "99999999");
    EXPECT_EQ(down.MailerNum, "71000000000999999994");
    // Confirming 99999999 from the menu while counting down stores 00000001...
    StepBackMailerNumber(down);
    EXPECT_EQ(down.MailerNum.substr(11, 8), "00000001");
    // ...and the next print uses 00000000.
    AdvanceMailerNumber(down);
    EXPECT_EQ(down.MailerNum.substr(11, 8), "00000000");
}

TEST(AdvanceMailerNumber, FailedStepChangesNothing) {
    AppSettings barcode = BarcodeMode("12a45678");
    EXPECT_THROW(AdvanceMailerNumber(barcode), UserError);
    EXPECT_EQ(barcode.SerialNum, "12a45678");

    AppSettings prePrinted = PrePrinted("71123456789000x00423", true);
    EXPECT_THROW(AdvanceMailerNumber(prePrinted), UserError);
    EXPECT_EQ(prePrinted.MailerNum, "71123456789000x00423");

    AppSettings shortNumber = PrePrinted("7112345678", true);
    EXPECT_THROW(StepBackMailerNumber(shortNumber), UserError);
    EXPECT_EQ(shortNumber.MailerNum, "7112345678");
}

TEST(SequenceSnapshot, PutsTheThreeValuesBack) {
    AppSettings s = BarcodeMode("00000041");
    s.CustID = "12-345-6789";
    const auto saved = SequenceSnapshot::Of(s);
    AdvanceMailerNumber(s);
    s.CustID = "00-000-0000";
    s.MailerNum.assign(1, 'x'); // not = "x": GCC 12 at -O3 warns of an overlap (-Wrestrict)
    saved.RestoreInto(s);
    EXPECT_EQ(s.SerialNum, "00000041");
    EXPECT_EQ(s.CustID, "12-345-6789");
    EXPECT_EQ(s.MailerNum, "71000000000000000000");
}

} // namespace
} // namespace vell3
