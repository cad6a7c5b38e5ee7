// The Print command after its dialogs: the sequence kept before the number
// goes on paper, the log checked before and written after, and every refusal
// leaving exactly what it should.

#include "PrintJob.h"
#include "LockHolder.h"
#include "MailingTestSupport.h"
#include "PrintMessages.h"

#include <chrono>
#include <filesystem>

namespace vell3::mailing {
namespace {

using namespace std::chrono_literals;

constexpr const char* kGrouped42 = "7112 3456 7890 0000 0423";

class PrintJobTest : public test::MailingTest {
protected:
    PrintContext Context() {
        PrintContext context{
            settings_, SettingsPath(), LogPath(), {"Ambervale", "", "", "", ""}, {}, {}, 300ms};
        context.callbacks.error = [this](const std::string& message) {
            messages_.push_back(message);
        };
        context.callbacks.printed = [this](const std::string& grouped) {
            printed_.push_back(grouped);
            rowsWhenPrinted_ = LoggedField("mailernum").size();
        };
        return context;
    }

    static MailerEntry Entry(const std::string& name = "John Smith") {
        MailerEntry entry;
        entry.recipientLines = {name, "4 Elm Rd"};
        entry.city = "Boston";
        entry.state = "MA";
        entry.zip = "02134-1234";
        entry.postage = "      0.39";
        entry.certFee = "      2.40";
        entry.returnFee = "      1.85";
        entry.total = "      4.64";
        return entry;
    }

    test::ObservedPage page_;
    std::vector<std::string> messages_;
    std::vector<std::string> printed_;
    std::size_t rowsWhenPrinted_ = 99;
};

// SerialNum 00000041: the mailer carries serial 00000042, which the settings
// file holds before the page begins, and the log gets its grouped number.
TEST_F(PrintJobTest, StepsSavesPrintsThenLogs) {
    std::string serialAtBegin;
    bool logAtBegin = false;
    page_.onBegin = [&] {
        serialAtBegin = SavedValue("SerialNum");
        logAtBegin = std::filesystem::exists(LogPath());
    };
    PrintContext context = Context();
    const PrintResult result = RunPrintCommand(context, Entry(), page_);
    EXPECT_EQ(result.outcome, PrintOutcome::Printed);
    EXPECT_EQ(result.groupedNumber, kGrouped42);
    EXPECT_EQ(serialAtBegin, "00000042");
    EXPECT_TRUE(logAtBegin);
    EXPECT_EQ(settings_.SerialNum, "00000042");
    EXPECT_EQ(printed_, std::vector<std::string>{kGrouped42});
    EXPECT_EQ(rowsWhenPrinted_, 0u);
    EXPECT_EQ(LoggedField("mailernum"), std::vector<std::string>{kGrouped42});
    EXPECT_EQ(LoggedField("sentname0"), std::vector<std::string>{"John Smith"});
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(page_.Events(), (std::vector<RecordingPage::Event>{RecordingPage::Event::Begin,
                                                                 RecordingPage::Event::End}));
}

// The Mailer Number dialog sees the number to be used; its Cancel puts the
// sequence back and prints nothing, its OK prints.
TEST_F(PrintJobTest, TheMailerNumberDialogDecides) {
    settings_.ShowMailerBeforePrint = true;
    const std::string fileBefore = tables::test::ReadFileBytes(SettingsPath());
    std::string shown;
    PrintContext context = Context();
    context.callbacks.confirmMailerNumber = [&](AppSettings& settings) {
        shown = settings.SerialNum;
        return false;
    };
    EXPECT_EQ(RunPrintCommand(context, Entry(), page_).outcome, PrintOutcome::Cancelled);
    EXPECT_EQ(shown, "00000042");
    EXPECT_EQ(settings_.SerialNum, "00000041");
    EXPECT_EQ(tables::test::ReadFileBytes(SettingsPath()), fileBefore);
    EXPECT_TRUE(page_.Events().empty());
    EXPECT_TRUE(LoggedField("mailernum").empty());

    // "Do not show this screen again" with OK: printed, and not asked again.
    int asked = 0;
    context.callbacks.confirmMailerNumber = [&](AppSettings& settings) {
        ++asked;
        settings.ShowMailerBeforePrint = false;
        return true;
    };
    EXPECT_EQ(RunPrintCommand(context, Entry(), page_).outcome, PrintOutcome::Printed);
    EXPECT_EQ(RunPrintCommand(context, Entry(), page_).outcome, PrintOutcome::Printed);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(LoggedField("mailernum").size(), 2u);
}

TEST_F(PrintJobTest, TheUnsetCustomerIdIsRefusedInBarcodeMode) {
    settings_.CustID = kUnsetCustomerId;
    const std::string fileBefore = tables::test::ReadFileBytes(SettingsPath());
    PrintContext context = Context();
    EXPECT_EQ(RunPrintCommand(context, Entry(), page_).outcome, PrintOutcome::Refused);
    EXPECT_EQ(messages_, std::vector<std::string>{kZeroCustomerIdMessage});
    EXPECT_EQ(settings_.SerialNum, "00000041");
    EXPECT_EQ(tables::test::ReadFileBytes(SettingsPath()), fileBefore);
    EXPECT_TRUE(page_.Events().empty());

    // Pre-printed mode prints from MailerNum and does not look at it.
    settings_.PrintBarCode = false;
    settings_.MailerNum = "71123456789000000423";
    EXPECT_EQ(RunPrintCommand(context, Entry(), page_).outcome, PrintOutcome::Printed);
    EXPECT_EQ(LoggedField("mailernum"), std::vector<std::string>{"7112 3456 7890 0000 0430"});
}

// A number the settings file cannot keep is never printed: a later run would
// hand it out again.
TEST_F(PrintJobTest, ARefusedSettingsWritePrintsNothing) {
    tables::test::WriteFileBytes(PathOf("plain"), "a file");
    PrintContext context = Context();
    context.settingsFile = PathOf("plain/vell3.ini");
    EXPECT_EQ(RunPrintCommand(context, Entry(), page_).outcome, PrintOutcome::Refused);
    EXPECT_EQ(messages_, std::vector<std::string>{"Unable to write to vell3.ini"});
    EXPECT_EQ(settings_.SerialNum, "00000041");
    EXPECT_TRUE(page_.Events().empty());
    EXPECT_FALSE(std::filesystem::exists(LogPath()));
}

// A log that cannot take the row stops the print with the engine's error
// before a form is used.
TEST_F(PrintJobTest, ADamagedLogStopsThePrintBeforeThePage) {
    std::filesystem::create_directories(PathOf("Reports"));
    tables::test::WriteFileBytes(LogPath(), "not a table at all\n");
    PrintContext context = Context();
    const auto error = tables::test::ErrorOf([&] { RunPrintCommand(context, Entry(), page_); });
    EXPECT_EQ(error.number, 210);
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(page_.Events().empty());
    EXPECT_TRUE(printed_.empty());
    EXPECT_EQ(tables::test::ReadFileBytes(LogPath()), "not a table at all\n");
}

// A printer that fails: the sequence stays stepped, nothing is logged and the
// entry is not marked printed.
TEST_F(PrintJobTest, APrinterFailureLogsNothing) {
    page_.FailBegin("The printer is out of paper.");
    PrintContext context = Context();
    EXPECT_EQ(RunPrintCommand(context, Entry(), page_).outcome, PrintOutcome::Failed);
    EXPECT_EQ(messages_, std::vector<std::string>{"The printer is out of paper."});
    EXPECT_TRUE(printed_.empty());
    EXPECT_EQ(settings_.SerialNum, "00000042");
    EXPECT_EQ(SavedValue("SerialNum"), "00000042");
    EXPECT_TRUE(LoggedField("mailernum").empty());
}

// Another program keeps the log's append lock past the wait: the mailer is
// printed and marked, and the user is told which mailer is missing.
TEST_F(PrintJobTest, ALockedLogIsToldNotDropped) {
    log::OpenLogForPrinting(LogPath());
    log::test::AppendLockHolder holder(LogPath());
    ASSERT_TRUE(holder.Holding());
    PrintContext context = Context();
    const auto start = std::chrono::steady_clock::now();
    const PrintResult result = RunPrintCommand(context, Entry(), page_);
    EXPECT_GE(std::chrono::steady_clock::now() - start, context.logLockWait);
    holder.Release();
    EXPECT_EQ(result.outcome, PrintOutcome::NotLogged);
    EXPECT_EQ(printed_, std::vector<std::string>{kGrouped42});
    EXPECT_EQ(messages_,
              std::vector<std::string>{"Mailer 7112 3456 7890 0000 0423 was printed but could "
                                       "not be written to the mailing log, because another "
                                       "program holds the log. Please write it down."});
    EXPECT_TRUE(LoggedField("mailernum").empty());
}

// Mass Print runs the same job once a record, with one context.
TEST_F(PrintJobTest, ARunOfEntriesLogsOneRowEachInOrder) {
    PrintContext context = Context();
    for (const char* name : {"Ann", "Bob", "Cy"}) {
        test::ObservedPage page;
        ASSERT_EQ(RunPrintCommand(context, Entry(name), page).outcome, PrintOutcome::Printed);
    }
    EXPECT_EQ(LoggedField("sentname0"), (std::vector<std::string>{"Ann", "Bob", "Cy"}));
    EXPECT_EQ(SavedValue("SerialNum"), "00000044");
}

} // namespace
} // namespace vell3::mailing
