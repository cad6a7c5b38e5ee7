#include "PrintJob.h"

#include "MailerSequence.h"
#include "PrintMessages.h"
#include "SettingsFile.h"
#include "SharedSerial.h"
#include "UserError.h"

namespace vell3::mailing {

PrintResult RunPrintCommand(PrintContext& context, const MailerEntry& entry, PrintPage& page) {
    AppSettings& settings = context.settings;
    const SequenceSnapshot saved = SequenceSnapshot::Of(settings);
    try {
        AdvanceMailerNumber(settings);
    } catch (const UserError& error) {
        context.callbacks.Tell(error.what());
        return {PrintOutcome::Refused, {}};
    }
    if (settings.ShowMailerBeforePrint && context.callbacks.confirmMailerNumber &&
        !context.callbacks.confirmMailerNumber(settings)) {
        saved.RestoreInto(settings);
        return {PrintOutcome::Cancelled, {}};
    }
    if (settings.PrintBarCode && settings.CustID == kUnsetCustomerId) {
        context.callbacks.Tell(kZeroCustomerIdMessage);
        saved.RestoreInto(settings);
        return {PrintOutcome::Refused, {}};
    }
    // The stepped sequence reaches the settings file before the number goes
    // on paper: after a crash, a kill or a power cut a later run never prints
    // the same number again. A refused write prints nothing.
    try {
        SaveSteppedSequence(settings,
                            [&](const AppSettings& s) { SaveSettings(s, context.settingsFile); });
    } catch (const UserError& error) {
        saved.RestoreInto(settings);
        context.callbacks.Tell(error.what());
        return {PrintOutcome::Refused, {}};
    }
    return PrintCurrentMailer(context, entry, page);
}

PrintResult PrintCurrentMailer(PrintContext& context, const MailerEntry& entry, PrintPage& page) {
    const AppSettings& settings = context.settings;
    // A log that cannot take the row stops the print before a form is used.
    log::OpenLogForPrinting(context.logPath);
    const MailerFormValues values = FillMailerFormValues(entry, settings, context.senderLines);
    PrintResult result;
    try {
        result.groupedNumber =
            PrintMailerForm(page, values, settings.PrintBarCode, context.baseFont);
    } catch (const UserError& error) {
        context.callbacks.Tell(error.what());
        result.outcome = PrintOutcome::Failed;
        return result;
    }
    if (context.callbacks.printed) {
        context.callbacks.printed(result.groupedNumber);
    }
    const log::LogRecord record = MakeLogRecord(entry, result.groupedNumber, Today());
    if (log::AppendLogRecord(context.logPath, record, context.logLockWait)) {
        result.outcome = PrintOutcome::Printed;
    } else {
        context.callbacks.Tell(log::LogLockRefusedMessage(result.groupedNumber));
        result.outcome = PrintOutcome::NotLogged;
    }
    return result;
}

} // namespace vell3::mailing
