#pragma once

#include "MailerEntry.h"
#include "PrintJob.h"

#include <cstdint>
#include <functional>
#include <string>

namespace vell3::tables {
class TTzDbf;
}

namespace vell3::addresses {

// The question that opens a Mass Print run; the count includes the records
// marked deleted, which are printed like the others.
std::string MassPrintQuestion(std::uint32_t recordCount);

// The refusal of the all-zero customer ID in barcode mode during a run.
inline constexpr const char* kMassPrintZeroCustomerIdMessage =
    "You can not print a Mailer with \"00-000-0000\" as a Customer ID. (DUNS No.)\r\n"
    "Please enter in a Customer ID (DUNS No.), and try again.";

// What a run needs of its caller besides the print path, so that the window
// and vell3-cli run the same loop: the window shows the record in its fields
// and reads them back, the headless tool reads the record itself.
struct MassPrintSteps {
    // The mailer entry for the table's current record.
    std::function<mailing::MailerEntry()> entry;
    // The table moved: its current record number and record count.
    std::function<void(std::uint32_t recNo, std::uint32_t recordCount)> position;
    // Asked before each mailer with its 1-based number and the run's total;
    // false stops the run there (the progress window's Cancel).
    std::function<bool(std::uint32_t mailer, std::uint32_t total)> keepGoing;
};

enum class MassPrintEnd {
    Finished,  // every record printed
    Stopped,   // the Mailer Number dialog not confirmed, or a print refused
    Cancelled, // stopped between two mailers
    Failed,    // a print failed; its number stays used
};

struct MassPrintResult {
    MassPrintEnd end = MassPrintEnd::Finished;
    std::uint32_t printed = 0;
    std::uint32_t notLogged = 0; // printed, but the log stayed locked
};

// Prints and logs one mailer for every record of an open address table, in
// record order, deleted records included, each through the Print command's
// path: step, Mailer Number dialog while ShowMailerBeforePrint is on (which
// the run switches on first), customer-ID check, the stepped sequence saved
// to the settings file, print, log row. A mailer not printed because the run
// stops before it uses no number; the mailers printed stay printed and logged.
MassPrintResult RunMassPrint(tables::TTzDbf& table, mailing::PrintContext& context, PrintPage& page,
                             const MassPrintSteps& steps);

// The mailer entry of an address record as the window shows it: the memo's
// lines, city, state and ZIP trimmed of the table's padding, with the RE,
// comment and fee texts of `fees`.
mailing::MailerEntry EntryOfRecord(tables::TTzDbf& table, const mailing::MailerEntry& fees);

} // namespace vell3::addresses
