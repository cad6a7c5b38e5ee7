#include "AppPaths.h"
#include "ClearLog.h"
#include "CliFailures.h"
#include "CliPrinting.h"
#include "CliSettings.h"
#include "Commands.h"
#include "EngineError.h"
#include "LogFields.h"
#include "Pictures.h"
#include "SettingsFile.h"
#include "UserError.h"

#include <iostream>
#include <optional>
#include <string>

namespace vell3::cli {

namespace {

constexpr const char* kUsage = "usage: vell3-cli log clear (--save FILE | --no-save)\n";

} // namespace

// vell3-cli log clear (--save FILE | --no-save): empties the mailing log as
// Report > Clear does, saving its rows first into FILE (appended to an
// existing table, else an exact copy of the log) or not at all.
int RunLog(CliContext& context) {
    const auto& args = context.args;
    std::optional<std::string> target;
    if (args.size() == 3 && args[0] == "clear" && args[1] == "--save") {
        target = args[2];
    } else if (!(args.size() == 2 && args[0] == "clear" && args[1] == "--no-save")) {
        std::cerr << kUsage;
        return kExitUsage;
    }
    try {
        // The log lies in the writable folder, which the settings may move.
        AppSettings settings;
        LoadCliSettings(settings, context);
        const auto result = log::ClearLog(LogTableFile(settings), [&target] {
            return target ? log::ClearLogChoice{log::ClearLogChoice::Kind::Save, *target}
                          : log::ClearLogChoice{log::ClearLogChoice::Kind::Discard, {}};
        });
        if (result == log::ClearLogResult::AlreadyEmpty) {
            std::cout << log::kLogAlreadyEmptyMessage << '\n';
        }
        return kExitOk;
    } catch (...) {
        return ReportCaughtFailure();
    }
}

} // namespace vell3::cli
