// The Mass Print loop over an address table and the check that a table can
// serve as an address database.

#include "MassPrint.h"
#include "AddressTable.h"
#include "AddressTableCheck.h"
#include "MailingTestSupport.h"
#include "PrintMessages.h"
#include "TTzDbf.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>

namespace vell3::addresses {
namespace {

using namespace std::chrono_literals;

class MassPrintTest : public mailing::test::MailingTest {
protected:
    void SetUp() override {
        MailingTest::SetUp();
        ConfigureAddressTable(table_);
        table_.SetDbfFileName(PathOf("people.dbf"));
        table_.Open();
        for (const char* name : {"Ann Lee", "Bob Roe", "Cy Poe"}) {
            table_.ClearRecord();
            table_.SetMField("address", {name, "1 Main St"});
            table_.SetField("city", "Dayton");
            table_.SetField("state", "OH");
            table_.SetField("zip", "45402-1234");
            ASSERT_TRUE(table_.ALock());
            table_.AppendRec();
            table_.UnLock();
        }
        table_.First();
        table_.Next();
        table_.Edit();
        table_.Delete(); // printed like the others until packed
    }

    mailing::PrintContext Context() {
        mailing::PrintContext context{
            settings_, SettingsPath(), LogPath(), {"Sender", "", "", "", ""}, {}, {}, 300ms};
        context.callbacks.error = [this](const std::string& message) {
            messages_.push_back(message);
        };
        context.callbacks.printed = [this](const std::string& grouped) {
            printed_.push_back(grouped);
            // The number on paper is already in the settings file.
            savedWhenPrinted_.push_back(SavedValue("SerialNum"));
        };
        return context;
    }

    MassPrintSteps Steps() {
        MassPrintSteps steps;
        mailing::MailerEntry fees;
        fees.re = "Case 9";
        steps.entry = [this, fees] { return EntryOfRecord(table_, fees); };
        steps.position = [this](std::uint32_t recNo, std::uint32_t count) {
            positions_.push_back(std::to_string(recNo) + "/" + std::to_string(count));
        };
        return steps;
    }

    tables::TTzDbf table_{"TzDbfAddress"};
    mailing::test::ObservedPage page_;
    std::vector<std::string> messages_;
    std::vector<std::string> printed_;
    std::vector<std::string> savedWhenPrinted_;
    std::vector<std::string> positions_;
};

TEST_F(MassPrintTest, EveryRecordPrintedLoggedAndSavedInTurn) {
    mailing::PrintContext context = Context();
    int asked = 0;
    context.callbacks.confirmMailerNumber = [&](AppSettings& settings) {
        // The first dialog ticks "Do not show this screen again".
        ++asked;
        settings.ShowMailerBeforePrint = false;
        return true;
    };
    const MassPrintResult result = RunMassPrint(table_, context, page_, Steps());
    EXPECT_EQ(result.end, MassPrintEnd::Finished);
    EXPECT_EQ(result.printed, 3u);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(printed_,
              (std::vector<std::string>{"7112 3456 7890 0000 0423", "7112 3456 7890 0000 0430",
                                        "7112 3456 7890 0000 0447"}));
    EXPECT_EQ(savedWhenPrinted_, (std::vector<std::string>{"00000042", "00000043", "00000044"}));
    EXPECT_EQ(LoggedField("mailernum"), printed_);
    EXPECT_EQ(LoggedField("sentname0"), (std::vector<std::string>{"Ann Lee", "Bob Roe", "Cy Poe"}));
    EXPECT_EQ(LoggedField("re"), (std::vector<std::string>(3, "Case 9")));
    EXPECT_EQ(LoggedField("zip"), (std::vector<std::string>(3, "45402-1234")));
    EXPECT_EQ(positions_, (std::vector<std::string>{"1/3", "2/3", "3/3", "3/3"}));
    EXPECT_TRUE(messages_.empty());
}

// The dialog is shown at least before the first mailer of every run, and
// before each further one until "Do not show" is ticked.
TEST_F(MassPrintTest, DialogCancelledBeforeTheSecondMailer) {
    mailing::PrintContext context = Context();
    int asked = 0;
    context.callbacks.confirmMailerNumber = [&](AppSettings&) { return ++asked == 1; };
    const MassPrintResult result = RunMassPrint(table_, context, page_, Steps());
    EXPECT_EQ(result.end, MassPrintEnd::Stopped);
    EXPECT_EQ(result.printed, 1u);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(settings_.SerialNum, "00000042");
    EXPECT_EQ(SavedValue("SerialNum"), "00000042");
    EXPECT_EQ(LoggedField("mailernum").size(), 1u);
    EXPECT_EQ(table_.RecNo(), 2u);
}

TEST_F(MassPrintTest, CancelBetweenMailersUsesNoFurtherNumber) {
    mailing::PrintContext context = Context();
    MassPrintSteps steps = Steps();
    steps.keepGoing = [](std::uint32_t mailer, std::uint32_t total) {
        EXPECT_EQ(total, 3u);
        return mailer < 3;
    };
    const MassPrintResult result = RunMassPrint(table_, context, page_, steps);
    EXPECT_EQ(result.end, MassPrintEnd::Cancelled);
    EXPECT_EQ(result.printed, 2u);
    EXPECT_EQ(settings_.SerialNum, "00000043");
    EXPECT_EQ(LoggedField("mailernum").size(), 2u);
}

TEST_F(MassPrintTest, AllZeroCustomerIdStopsInTheRunsOwnWords) {
    settings_.CustID = kUnsetCustomerId;
    mailing::PrintContext context = Context();
    const MassPrintResult result = RunMassPrint(table_, context, page_, Steps());
    EXPECT_EQ(result.end, MassPrintEnd::Stopped);
    EXPECT_EQ(result.printed, 0u);
    EXPECT_EQ(messages_, std::vector<std::string>{kMassPrintZeroCustomerIdMessage});
    EXPECT_EQ(std::string(kMassPrintZeroCustomerIdMessage),
              "You can not print a Mailer with \"00-000-0000\" as a Customer ID. (DUNS No.)\r\n"
              "Please enter in a Customer ID (DUNS No.), and try again.");
    EXPECT_EQ(settings_.SerialNum, "00000041");
    EXPECT_TRUE(page_.Events().empty());
    // The context's own wording is back for the Print command.
    context.callbacks.error(kZeroCustomerIdMessage);
    EXPECT_EQ(messages_.back(), kZeroCustomerIdMessage);
}

// A printer failing on the second mailer ends the run there; its number
// stays used and the first mailer stays logged.
TEST_F(MassPrintTest, PrinterFailureEndsTheRunAtThatRecord) {
    mailing::PrintContext context = Context();
    int begun = 0;
    page_.onBegin = [&] {
        if (++begun == 2) {
            page_.FailBegin("The printer is out of paper.");
        }
    };
    const MassPrintResult result = RunMassPrint(table_, context, page_, Steps());
    EXPECT_EQ(result.end, MassPrintEnd::Failed);
    EXPECT_EQ(result.printed, 1u);
    EXPECT_EQ(settings_.SerialNum, "00000043");
    EXPECT_EQ(LoggedField("mailernum").size(), 1u);
    EXPECT_EQ(messages_, std::vector<std::string>{"The printer is out of paper."});
}

TEST_F(MassPrintTest, QuestionCountsEveryRecord) {
    EXPECT_EQ(MassPrintQuestion(table_.RecCount()),
              "You are about to print 3 labels.\n\rWould you like to continue?");
}

TEST_F(MassPrintTest, EntryOfARecordTakesItsMemoLinesAndFields) {
    table_.Last();
    table_.Edit();
    table_.SetFieldAsMemoText("address", "One\r\nTwo\r\n\r\nFour\r\nFive");
    table_.Post();
    mailing::MailerEntry fees;
    fees.postage = "      0.39";
    const mailing::MailerEntry entry = EntryOfRecord(table_, fees);
    EXPECT_EQ(entry.recipientLines, (std::vector<std::string>{"One", "Two", "", "Four"}));
    EXPECT_EQ(entry.city, "Dayton");
    EXPECT_EQ(entry.state, "OH");
    EXPECT_EQ(entry.zip, "45402-1234");
    EXPECT_EQ(entry.postage, "      0.39");
}

struct CheckCase {
    const char* name;
    std::vector<std::string> fields;
    const char* problem; // after the file name in quotes; null when it fits
};

class AddressTableCheckTest : public tables::test::TableTest,
                              public ::testing::WithParamInterface<CheckCase> {};

TEST_P(AddressTableCheckTest, FieldsByNameAndType) {
    const CheckCase& c = GetParam();
    tables::TTzDbf table("Check");
    table.SetDbfFields(c.fields);
    table.SetDbfFileName(PathOf("check.dbf"));
    table.Open();
    const auto problem = AddressTableProblem(table);
    if (c.problem == nullptr) {
        EXPECT_FALSE(problem.has_value()) << *problem;
    } else {
        ASSERT_TRUE(problem.has_value());
        EXPECT_EQ(*problem, "\"" + PathOf("check.dbf") + "\" " + c.problem);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, AddressTableCheckTest,
    ::testing::Values(
        CheckCase{"DatabaseMode",
                  {"address,M,10,0", "city,C,35,0", "state,C,2,0", "zip,C,10,0"},
                  nullptr},
        CheckCase{"ImportWidthsAndMoreFields",
                  {"Name,C,20,0", "Zip,C,10,0", "State,C,4,0", "City,C,20,0", "Address,M,10,0"},
                  nullptr},
        CheckCase{"NoCity",
                  {"address,M,10,0", "state,C,2,0", "zip,C,10,0"},
                  "is not an address database: it has no field CITY."},
        CheckCase{"AddressNotMemo",
                  {"address,C,60,0", "city,C,35,0", "state,C,2,0", "zip,C,10,0"},
                  "is not an address database: its field ADDRESS must be a memo field, but it is "
                  "of type Character."},
        CheckCase{"ZipAsDate",
                  {"address,M,10,0", "city,C,35,0", "state,C,2,0", "zip,D,8,0"},
                  "is not an address database: its field ZIP must be a character field, but it "
                  "is of type Date."}),
    [](const ::testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace vell3::addresses
