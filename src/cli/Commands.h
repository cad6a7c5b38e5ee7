#pragma once

#include "CliContext.h"

namespace vell3::cli {

// One function per subcommand, each in a file of its own (Cmd<Name>.cpp).
int RunBarcodes(CliContext& context);
int RunDbf(CliContext& context);
int RunLabel(CliContext& context);
int RunLog(CliContext& context);
int RunPrint(CliContext& context);
int RunSettings(CliContext& context);

} // namespace vell3::cli
