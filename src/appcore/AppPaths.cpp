#include "AppPaths.h"

#include "SettingsFile.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace vell3 {

std::string WithTrailingSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::string ExecutableFolder() {
    return WithTrailingSeparator(QCoreApplication::applicationDirPath().toStdString());
}

std::string DefaultSettingsFile() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return WithTrailingSeparator(folder.toStdString()) + kSettingsFileName;
}

} // namespace vell3
