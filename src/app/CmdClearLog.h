#pragma once

#include "ClearLog.h"

#include <QString>

#include <string>

class QWidget;

namespace vell3 {

class Prompts;

// The file the save dialog of Report > Clear proposes: today's name for a
// saved log, in `folder`.
QString ProposedLogCopyName(const QString& folder);

// Report > Clear: "Report is already empty." for an empty log, else asks
// whether to save the rows (Yes: the save dialog; a cancelled dialog clears
// without saving), then empties the log. A save that fails, or the log
// chosen as its own target, shows the reason and leaves the log as it was.
log::ClearLogResult RunClearLogCommand(Prompts& prompts, QWidget* parent,
                                       const std::string& logPath, const QString& saveFolder);

} // namespace vell3
