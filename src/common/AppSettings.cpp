#include "AppSettings.h"

namespace vell3 {

namespace {

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

} // namespace

std::string WritableFolder(const AppSettings& settings) {
    if (settings.DataFolder && !settings.DataFolder->empty()) {
        return WithSlash(*settings.DataFolder);
    }
    if (!settings.LocalDataFolder.empty()) {
        return WithSlash(settings.LocalDataFolder);
    }
    return settings.ProgramFolder;
}

} // namespace vell3
