#pragma once

#include "AppSettings.h"
#include "BarCodeJob.h"

#include <string>

class QWidget;

namespace vell3 {

class Prompts;

inline constexpr const char* kPrintBarCodesQuestion =
    "You have seleceted to pre-print the Bar Code's onto the Mailer's, would you like to "
    "continue?";

// File > Print Bar Codes: asks, steps the sequence, shows the Print Bar
// Code's dialog and prints one print document per label from `newPage` under
// the hourglass. Cancel puts the sequence back; refusals and failures show in
// an error box.
mailing::BarCodeRunResult RunPrintBarCodesCommand(AppSettings& settings, Prompts& prompts,
                                                  QWidget* parent, const std::string& settingsFile,
                                                  const mailing::LabelPageFactory& newPage);

} // namespace vell3
