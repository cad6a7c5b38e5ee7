#pragma once

#include "AppSettings.h"

#include <string>
#include <string_view>

namespace vell3 {

// The executable's folder with a trailing "/".
std::string ExecutableFolder();

// "vell3.ini" in the user's configuration folder (XDG_CONFIG_HOME moves it).
std::string DefaultSettingsFile();

std::string WithTrailingSeparator(std::string folder);

// The two folders a program works with, each with a trailing "/": the shipped
// files (help, pictures, report definitions) and the writable folder that
// holds "Reports/" and "Addresses/" unless the settings name a shared one.
struct ProgramFolders {
    std::string shipped;
    std::string writable;
};

// The shipped file that tells a folder holds the program's files.
inline constexpr const char* kShippedFilesMarker = "Vell3.html";

// A build folder (the executable beside its shipped files) serves as both
// folders while it is writable; an installed program finds its files in
// `installedDataFolder` and writes into `userDataFolder`.
ProgramFolders ChooseProgramFolders(const std::string& executableFolder,
                                    const std::string& installedDataFolder,
                                    const std::string& userDataFolder);

// The choice above for this executable, the installation's data folder and
// the user's data folder ($XDG_DATA_HOME/vell3).
ProgramFolders DefaultProgramFolders();

// One folder for everything, as `vell3-cli --program-folder` asks.
ProgramFolders SingleProgramFolder(const std::string& folder);

// Sets ProgramFolder and LocalDataFolder (an empty writable folder: the
// shipped one); called before the settings load.
void ApplyProgramFolders(AppSettings& settings, const ProgramFolders& folders);

// Where the programs find what they read and write, once the settings are
// loaded (the shared DataFolder may have moved the writable folder).
std::string ShippedFile(const AppSettings& settings, std::string_view name);
std::string ReportsFolder(const AppSettings& settings);
std::string AddressesFolder(const AppSettings& settings);
std::string LogTableFile(const AppSettings& settings);

// Creates the writable folder's "Addresses/" and "Reports/". The user's own
// data folder is created with its parents; a shared DataFolder is not, so an
// unmounted network drive is never replaced by an empty local folder. A folder
// that cannot be made is left for its later user to report.
void CreateDataFolders(const AppSettings& settings);

} // namespace vell3
