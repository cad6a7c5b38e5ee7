#pragma once

#include "AppSettings.h"

class QWidget;

namespace vell3 {

class Prompts;

// Options > Mailer Number: the dialog shows the next number; OK steps the
// confirmed number back so that the stored value stays the last one printed,
// Cancel puts the sequence back as it was.
void RunMailerNumberCommand(AppSettings& settings, Prompts& prompts, QWidget* parent);

} // namespace vell3
