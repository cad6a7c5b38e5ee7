#pragma once

#include "AppSettings.h"
#include "JobCallbacks.h"
#include "MailerSequence.h"
#include "PrintPage.h"
#include "U_CertPrint.h"

#include <functional>
#include <memory>
#include <string>

namespace vell3::mailing {

// The page of one label's print document (a printer page of its own, or a
// page of a document the caller gathers the labels in).
using LabelPageFactory = std::function<std::shared_ptr<PrintPage>()>;

struct BarCodeRunResult {
    int printed = 0;      // labels that went on paper
    bool stopped = false; // a refusal or an error ended the run early (told)
};

// Print Bar Codes after its dialog. `settings` holds what the dialog
// confirmed (CustID, SerialNum = the first serial); `saved` the values from
// before the command stepped the sequence; `numberOfLabelsText` the text of
// the number-of-labels field. A text that is not a whole number is refused
// with "'<text>' is not a valid integer value" and the saved values put back;
// the unset customer ID is refused in either mode. Each label's serial is
// saved as SerialNum to the settings file before the label goes on paper, so
// SerialNum ends at the last serial printed, also when the run stops early.
BarCodeRunResult RunPrintBarCodes(AppSettings& settings, const SequenceSnapshot& saved,
                                  const std::string& numberOfLabelsText,
                                  const std::string& settingsFile, const LabelPageFactory& newPage,
                                  const JobCallbacks& callbacks,
                                  const BasePrintFont& baseFont = {});

} // namespace vell3::mailing
