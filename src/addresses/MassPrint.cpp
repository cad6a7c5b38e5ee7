#include "MassPrint.h"

#include "AddressTable.h"
#include "PrintMessages.h"
#include "TTzDbf.h"

#include <utility>

namespace vell3::addresses {

std::string MassPrintQuestion(std::uint32_t recordCount) {
    return "You are about to print " + std::to_string(recordCount) + " labels.\n\r" +
           "Would you like to continue?";
}

MassPrintResult RunMassPrint(tables::TTzDbf& table, mailing::PrintContext& context, PrintPage& page,
                             const MassPrintSteps& steps) {
    // The run tells the all-zero customer ID in words of its own.
    struct ErrorWording {
        mailing::JobCallbacks& callbacks;
        std::function<void(const std::string&)> original;
        explicit ErrorWording(mailing::JobCallbacks& jobCallbacks)
            : callbacks(jobCallbacks), original(jobCallbacks.error) {
            if (original) {
                callbacks.error = [tell = original](const std::string& message) {
                    tell(message == kZeroCustomerIdMessage ? kMassPrintZeroCustomerIdMessage
                                                           : message);
                };
            }
        }
        ~ErrorWording() { callbacks.error = std::move(original); }
        ErrorWording(const ErrorWording&) = delete;
        ErrorWording& operator=(const ErrorWording&) = delete;
    } wording(context.callbacks);

    MassPrintResult result;
    // The number of every run is confirmed at least before its first mailer.
    context.settings.ShowMailerBeforePrint = true;
    const std::uint32_t total = table.RecCount();
    const auto moved = [&] {
        if (steps.position) {
            steps.position(table.RecNo(), table.RecCount());
        }
    };
    table.First();
    moved();
    while (!table.Eof()) {
        if (steps.keepGoing && !steps.keepGoing(result.printed + 1, total)) {
            result.end = MassPrintEnd::Cancelled;
            return result;
        }
        const mailing::PrintResult printed = mailing::RunPrintCommand(context, steps.entry(), page);
        switch (printed.outcome) {
        case mailing::PrintOutcome::Printed:
            break;
        case mailing::PrintOutcome::NotLogged:
            ++result.notLogged;
            break;
        case mailing::PrintOutcome::Failed:
            result.end = MassPrintEnd::Failed;
            return result;
        case mailing::PrintOutcome::Cancelled:
        case mailing::PrintOutcome::Refused:
            result.end = MassPrintEnd::Stopped;
            return result;
        }
        ++result.printed;
        table.Next();
        moved();
    }
    return result;
}

mailing::MailerEntry EntryOfRecord(tables::TTzDbf& table, const mailing::MailerEntry& fees) {
    mailing::MailerEntry entry = fees;
    entry.recipientLines.clear();
    std::string memo = table.FieldAsString(kAddressField);
    // The memo's lines, as many as the window shows.
    std::size_t start = 0;
    while (start <= memo.size() && entry.recipientLines.size() < kAddressLines) {
        std::size_t end = memo.find('\n', start);
        std::string line = memo.substr(start, end == std::string::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        entry.recipientLines.push_back(std::move(line));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    while (!entry.recipientLines.empty() && entry.recipientLines.back().empty()) {
        entry.recipientLines.pop_back();
    }
    entry.city = mailing::CutToField(table.FieldAsString(kCityField), mailing::kMaxCityLength);
    entry.state = mailing::CutToField(table.FieldAsString(kStateField), mailing::kMaxStateLength);
    entry.zip = table.FieldAsString(kZipField);
    return entry;
}

} // namespace vell3::addresses
