#include "MassPrint.h"

#include "MailerSequence.h"
#include "TTzDbf.h"

namespace vell3::addresses {

std::string MassPrintQuestion(std::uint32_t recordCount) {
    return "You are about to print " + std::to_string(recordCount) + " labels.\n\r" +
           "Would you like to continue?";
}

MassPrintResult RunMassPrint(tables::TTzDbf& table, AppSettings& settings,
                             const MassPrintSteps& steps) {
    MassPrintResult result;
    // The number of every run is confirmed at least before its first mailer.
    settings.ShowMailerBeforePrint = true;
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
        const SequenceSnapshot saved = SequenceSnapshot::Of(settings);
        AdvanceMailerNumber(settings);
        if (settings.ShowMailerBeforePrint && !steps.confirmNumber()) {
            saved.RestoreInto(settings);
            result.end = MassPrintEnd::NotConfirmed;
            return result;
        }
        if (settings.PrintBarCode && settings.CustID == kUnsetCustomerId) {
            steps.refuse(kMassPrintZeroCustomerIdMessage);
            saved.RestoreInto(settings);
            result.end = MassPrintEnd::ZeroCustomerId;
            return result;
        }
        steps.saveSequence();
        steps.printCurrent();
        ++result.printed;
        table.Next();
        moved();
    }
    return result;
}

} // namespace vell3::addresses
