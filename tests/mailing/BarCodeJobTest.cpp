// Print Bar Codes after its dialog: one document per label, each serial kept
// before it goes on paper, and the refusals that print nothing.

#include "BarCodeJob.h"
#include "MailingTestSupport.h"
#include "PrintMessages.h"
#include "UserError.h"

#include <memory>

namespace vell3::mailing {
namespace {

class BarCodeJobTest : public test::MailingTest {
protected:
    // The values the command saved before it stepped the sequence, then what
    // the dialog confirmed.
    void Confirm(const std::string& custId, const std::string& serial) {
        saved_ = SequenceSnapshot::Of(settings_);
        settings_.CustID = custId;
        settings_.SerialNum = serial;
    }

    BarCodeRunResult Run(const std::string& count) {
        JobCallbacks callbacks;
        callbacks.error = [this](const std::string& message) { messages_.push_back(message); };
        callbacks.labelPrinted = [this](const std::string& serial) { serials_.push_back(serial); };
        return RunPrintBarCodes(
            settings_, saved_, count, SettingsPath(),
            [this] {
                auto page = std::make_shared<test::ObservedPage>();
                const std::size_t index = pages_.size();
                page->onBegin = [this, index] {
                    serialsSavedAtBegin_.push_back(SavedValue("SerialNum"));
                    if (index == failAt_) {
                        throw UserError("The printer is out of paper.");
                    }
                };
                pages_.push_back(page);
                return page;
            },
            callbacks);
    }

    SequenceSnapshot saved_;
    std::vector<std::shared_ptr<test::ObservedPage>> pages_;
    std::vector<std::string> messages_;
    std::vector<std::string> serials_;
    std::vector<std::string> serialsSavedAtBegin_;
    std::size_t failAt_ = 1000;
};

TEST_F(BarCodeJobTest, LabelsRunAcrossTheLastSerialEachInItsOwnDocument) {
    Confirm("12-345-6789", "99999998");
    const BarCodeRunResult result = Run("3");
    EXPECT_EQ(result.printed, 3);
    EXPECT_FALSE(result.stopped);
    EXPECT_EQ(serials_, (std::vector<std::string>{"99999998", "99999999", "00000001"}));
    EXPECT_EQ(serialsSavedAtBegin_, serials_);
    ASSERT_EQ(pages_.size(), 3u);
    for (const auto& page : pages_) {
        EXPECT_EQ(page->Events(), (std::vector<RecordingPage::Event>{RecordingPage::Event::Begin,
                                                                     RecordingPage::Event::End}));
        EXPECT_EQ(page->Bitmaps().size(), 2u);
    }
    EXPECT_EQ(settings_.SerialNum, "00000001");
    EXPECT_EQ(SavedValue("SerialNum"), "00000001");
    EXPECT_TRUE(messages_.empty());
}

// A run that stops early leaves SerialNum at the last serial that may have
// gone on paper, so a later mailer never repeats one.
TEST_F(BarCodeJobTest, AnEarlyStopLeavesTheLastSerialUsed) {
    Confirm("12-345-6789", "00000100");
    failAt_ = 2;
    const BarCodeRunResult result = Run("5");
    EXPECT_EQ(result.printed, 2);
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(messages_, std::vector<std::string>{"The printer is out of paper."});
    EXPECT_EQ(serials_, (std::vector<std::string>{"00000100", "00000101"}));
    EXPECT_EQ(pages_.size(), 3u);
    EXPECT_EQ(settings_.SerialNum, "00000102");
    EXPECT_EQ(SavedValue("SerialNum"), "00000102");
}

TEST_F(BarCodeJobTest, ASerialTheSettingsFileRefusesIsNotPrinted) {
    Confirm("12-345-6789", "00000100");
    tables::test::WriteFileBytes(PathOf("plain"), "a file");
    JobCallbacks callbacks;
    callbacks.error = [this](const std::string& message) { messages_.push_back(message); };
    int pages = 0;
    const BarCodeRunResult result = RunPrintBarCodes(
        settings_, saved_, "2", PathOf("plain/vell3.ini"),
        [&pages] {
            ++pages;
            return std::make_shared<test::ObservedPage>();
        },
        callbacks);
    EXPECT_EQ(result.printed, 0);
    EXPECT_EQ(pages, 0);
    EXPECT_EQ(messages_, std::vector<std::string>{"Unable to write to vell3.ini"});
    EXPECT_EQ(settings_.SerialNum, "00000041");
}

// Not a whole number: told with the conversion's text, nothing printed, and
// the values from before the command put back.
class LabelCountTextTest : public BarCodeJobTest,
                           public ::testing::WithParamInterface<const char*> {};

TEST_P(LabelCountTextTest, IsRefusedAndTheSavedValuesPutBack) {
    Confirm("98-765-4321", "00000500");
    const BarCodeRunResult result = Run(GetParam());
    EXPECT_EQ(result.printed, 0);
    EXPECT_TRUE(pages_.empty());
    // Appended piece by piece: GCC 12 at -O3 takes "literal" + std::string&&
    // for an overlapping copy (-Wrestrict).
    std::string message(1, '\'');
    message.append(GetParam()).append("' is not a valid integer value");
    EXPECT_EQ(messages_, std::vector<std::string>{message});
    EXPECT_EQ(settings_.SerialNum, "00000041");
    EXPECT_EQ(settings_.CustID, "12-345-6789");
    EXPECT_EQ(SavedValue("SerialNum"), "00000041");
}

INSTANTIATE_TEST_SUITE_P(Texts, LabelCountTextTest, ::testing::Values("", "-", "+", ".", "x"));

// The labels always carry barcodes from the customer ID, so the unset one is
// refused in either mode; the confirmed values stay.
class UnsetCustomerIdTest : public BarCodeJobTest, public ::testing::WithParamInterface<bool> {};

TEST_P(UnsetCustomerIdTest, IsRefusedInEitherMode) {
    settings_.PrintBarCode = GetParam();
    Confirm(kUnsetCustomerId, "00000500");
    const BarCodeRunResult result = Run("2");
    EXPECT_EQ(result.printed, 0);
    EXPECT_TRUE(pages_.empty());
    EXPECT_EQ(messages_, std::vector<std::string>{kZeroCustomerIdBarCodesMessage});
    EXPECT_EQ(settings_.SerialNum, "00000500");
}

INSTANTIATE_TEST_SUITE_P(Modes, UnsetCustomerIdTest, ::testing::Bool());

TEST_F(BarCodeJobTest, ACountOfZeroPrintsNothing) {
    Confirm("12-345-6789", "00000100");
    EXPECT_EQ(Run("0").printed, 0);
    EXPECT_TRUE(pages_.empty());
    EXPECT_TRUE(messages_.empty());
}

} // namespace
} // namespace vell3::mailing
