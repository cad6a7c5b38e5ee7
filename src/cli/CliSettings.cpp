#include "CliSettings.h"

#include "AppPaths.h"
#include "Pictures.h"
#include "SettingsFile.h"

namespace vell3::cli {

void LoadCliSettings(AppSettings& settings, const CliContext& context) {
    ApplyProgramFolders(settings, {context.programFolder, context.dataFolder});
    LoadSettings(settings, context.settingsFile, PictureLoads);
}

} // namespace vell3::cli
