#pragma once

#include "AppSettings.h"
#include "CliContext.h"

namespace vell3::cli {

// The settings as every subcommand reads them: the folders the global options
// chose, then the settings file, so that the log and the shipped files are
// always found where the settings (a shared DataFolder) put them.
void LoadCliSettings(AppSettings& settings, const CliContext& context);

} // namespace vell3::cli
