#pragma once

#include "AppSettings.h"
#include "MailerEntry.h"
#include "PrintJob.h"
#include "PrintPage.h"

#include <array>
#include <functional>
#include <string>

class QWidget;

namespace vell3 {

class Prompts;

// Where a print keeps its state: the settings file the stepped sequence is
// saved to before the number goes on paper, and the mailing log.
struct PrintFiles {
    std::string settingsFile;
    std::string logPath;
};

// The Print command (the Print button and File > Print): steps the sequence,
// shows the Mailer Number dialog while ShowMailerBeforePrint is on, prints
// the entry on `page` under the hourglass, runs `markPrinted` once the mailer
// is on paper and logs it. Every refusal and failure is shown in an error box
// once the hourglass is gone.
mailing::PrintResult RunPrintCommandOfWindow(AppSettings& settings, Prompts& prompts,
                                             QWidget* parent, const PrintFiles& files,
                                             const mailing::MailerEntry& entry,
                                             const std::array<std::string, 5>& senderLines,
                                             PrintPage& page,
                                             const std::function<void()>& markPrinted);

} // namespace vell3
