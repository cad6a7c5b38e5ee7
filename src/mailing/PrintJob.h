#pragma once

#include "AppSettings.h"
#include "JobCallbacks.h"
#include "LogTable.h"
#include "MailerEntry.h"
#include "PrintPage.h"
#include "U_CertPrint.h"

#include <array>
#include <chrono>
#include <string>

namespace vell3::mailing {

// What every print of one mailer needs besides the entry and the page: the
// run's settings, where they and the log are kept, the sender lines the window
// shows, and how to ask and tell. One context serves a whole Mass Print.
struct PrintContext {
    AppSettings& settings;
    std::string settingsFile;
    std::string logPath;
    std::array<std::string, 5> senderLines;
    JobCallbacks callbacks;
    BasePrintFont baseFont;
    std::chrono::milliseconds logLockWait = log::kAppendLockWait;
};

enum class PrintOutcome {
    Cancelled, // the Mailer Number dialog was not confirmed; the sequence put back
    Refused,   // zero customer ID or a settings write refused; nothing printed
    Failed,    // the printer failed; the sequence stays stepped, nothing logged
    Printed,   // printed and logged
    NotLogged, // printed, but the log's lock stayed refused (the error was told)
};

struct PrintResult {
    PrintOutcome outcome = PrintOutcome::Cancelled;
    std::string groupedNumber; // set once the mailer went on paper
};

// The Print command after its own dialogs: saves the sequence, steps it, asks
// for the Mailer Number dialog while ShowMailerBeforePrint is on, refuses the
// unset customer ID in barcode mode, saves the stepped sequence to the
// settings file, then PrintCurrentMailer. Mass Print calls it once a record.
// An engine error (a log that cannot take the row) is reported by the engine
// and thrown before anything is printed.
PrintResult RunPrintCommand(PrintContext& context, const MailerEntry& entry, PrintPage& page);

// Prints one mailer with the current sequence value (already stepped and
// saved by the caller): checks that the log opens, prints, tells `printed`,
// appends the log row.
PrintResult PrintCurrentMailer(PrintContext& context, const MailerEntry& entry, PrintPage& page);

} // namespace vell3::mailing
