#pragma once

#include <string>

namespace vell3 {

// The executable's folder with a trailing "/": where the program expects its
// shipped files and the "Reports" and "Addresses" folders.
std::string ExecutableFolder();

// "vell3.ini" in the user's configuration folder (XDG_CONFIG_HOME moves it).
std::string DefaultSettingsFile();

std::string WithTrailingSeparator(std::string folder);

} // namespace vell3
