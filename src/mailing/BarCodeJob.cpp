#include "BarCodeJob.h"

#include "IntegerText.h"
#include "PrintMessages.h"
#include "SettingsFile.h"
#include "SharedSerial.h"
#include "UserError.h"

namespace vell3::mailing {

BarCodeRunResult RunPrintBarCodes(AppSettings& settings, const SequenceSnapshot& saved,
                                  const std::string& numberOfLabelsText,
                                  const std::string& settingsFile, const LabelPageFactory& newPage,
                                  const JobCallbacks& callbacks, const BasePrintFont& baseFont) {
    BarCodeRunResult result;
    const auto count = ParseInteger(numberOfLabelsText);
    if (!count) {
        saved.RestoreInto(settings);
        callbacks.Tell(InvalidIntegerMessage(numberOfLabelsText));
        result.stopped = true;
        return result;
    }
    settings.BarCodeLabelCount = *count;
    // The labels always carry barcodes made from the customer ID, whatever
    // the mode of the sequence.
    if (settings.CustID == kUnsetCustomerId) {
        callbacks.Tell(kZeroCustomerIdBarCodesMessage);
        result.stopped = true;
        return result;
    }
    std::string customerId = settings.CustID;
    std::erase(customerId, '-');
    std::string serial = settings.SerialNum;
    try {
        for (int i = 0; i < *count; ++i) {
            if (i > 0) {
                serial = StepSerial(serial, +1);
            }
            // The serial is kept before it goes on paper, so a stop at any
            // moment leaves SerialNum at the last serial that may be printed.
            const std::string kept = settings.SerialNum;
            settings.SerialNum = serial;
            try {
                // Desks sharing a DataFolder may have used this serial already.
                SaveSteppedSequence(settings,
                                    [&](const AppSettings& s) { SaveSettings(s, settingsFile); });
                serial = settings.SerialNum;
            } catch (const UserError&) {
                // Not kept, so not printed: SerialNum stays at the last
                // serial printed, or where it was before the command.
                settings.SerialNum = result.printed > 0 ? kept : saved.SerialNum;
                throw;
            }
            const std::shared_ptr<PrintPage> page = newPage();
            PrintBarCodeLabel(*page, customerId, serial, settings.AlignLeftRight,
                              settings.AlignTopBottom, baseFont);
            ++result.printed;
            if (callbacks.labelPrinted) {
                callbacks.labelPrinted(serial);
            }
        }
    } catch (const UserError& error) {
        callbacks.Tell(error.what());
        result.stopped = true;
    }
    return result;
}

} // namespace vell3::mailing
