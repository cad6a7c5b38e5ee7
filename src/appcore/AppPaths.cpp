#include "AppPaths.h"

#include "SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <filesystem>

#include <unistd.h>

namespace vell3 {

namespace {

constexpr const char* kReportsFolderName = "Reports/";
constexpr const char* kAddressesFolderName = "Addresses/";
constexpr const char* kLogTableName = "report3.dbf";
constexpr const char* kDataSubfolder = "/vell3";

bool HoldsShippedFiles(const std::string& folder) {
    std::error_code error;
    return std::filesystem::is_regular_file(folder + kShippedFilesMarker, error);
}

bool Writable(const std::string& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

} // namespace

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

ProgramFolders ChooseProgramFolders(const std::string& executableFolder,
                                    const std::string& installedDataFolder,
                                    const std::string& userDataFolder) {
    const std::string beside = WithTrailingSeparator(executableFolder);
    if (!HoldsShippedFiles(beside)) {
        return {WithTrailingSeparator(installedDataFolder), WithTrailingSeparator(userDataFolder)};
    }
    return {beside, Writable(beside) ? beside : WithTrailingSeparator(userDataFolder)};
}

ProgramFolders DefaultProgramFolders() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return ChooseProgramFolders(ExecutableFolder(), VELL3_INSTALLED_DATA_DIR,
                                data.toStdString() + kDataSubfolder);
}

ProgramFolders SingleProgramFolder(const std::string& folder) {
    const std::string both = WithTrailingSeparator(folder);
    return {both, both};
}

void ApplyProgramFolders(AppSettings& settings, const ProgramFolders& folders) {
    settings.ProgramFolder = WithTrailingSeparator(folders.shipped);
    settings.LocalDataFolder =
        folders.writable.empty() ? std::string() : WithTrailingSeparator(folders.writable);
}

std::string ShippedFile(const AppSettings& settings, std::string_view name) {
    return settings.ProgramFolder + std::string(name);
}

std::string ReportsFolder(const AppSettings& settings) {
    return WritableFolder(settings) + kReportsFolderName;
}

std::string AddressesFolder(const AppSettings& settings) {
    return WritableFolder(settings) + kAddressesFolderName;
}

std::string LogTableFile(const AppSettings& settings) {
    return ReportsFolder(settings) + kLogTableName;
}

void CreateDataFolders(const AppSettings& settings) {
    const QString writable = QString::fromStdString(WritableFolder(settings));
    const bool shared = settings.DataFolder && !settings.DataFolder->empty();
    if (!shared) {
        QDir().mkpath(writable);
    }
    QDir().mkdir(QString::fromStdString(AddressesFolder(settings)));
    QDir().mkdir(QString::fromStdString(ReportsFolder(settings)));
}

} // namespace vell3
