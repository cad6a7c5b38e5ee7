#include "AppPaths.h"
#include "CliSettings.h"
#include "Commands.h"
#include "Pictures.h"
#include "SettingsFile.h"
#include "SettingsKeys.h"
#include "UserError.h"

#include <iostream>

namespace vell3::cli {

// vell3-cli settings [--save]
int RunSettings(CliContext& context) {
    const bool save = context.args.size() == 1 && context.args[0] == "--save";
    if (!context.args.empty() && !save) {
        std::cerr << "usage: vell3-cli settings [--save]\n";
        return kExitUsage;
    }
    AppSettings settings;
    LoadCliSettings(settings, context);
    if (save) {
        try {
            SaveSettings(settings, context.settingsFile);
        } catch (const UserError& error) {
            std::cerr << error.what() << '\n';
            return kExitError;
        }
    }
    const auto& keys = SettingKeys();
    for (size_t i = 0; i < keys.size(); ++i) {
        std::cout << keys[i].fieldName << '=' << SettingValueText(settings, i) << '\n';
    }
    if (settings.DataFolder) {
        std::cout << "DataFolder=" << *settings.DataFolder << '\n';
    }
    return kExitOk;
}

} // namespace vell3::cli
