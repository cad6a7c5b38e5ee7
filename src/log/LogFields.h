#pragma once

#include <string>
#include <vector>

namespace vell3::log {

// The sixteen field definitions the mailing log is created from, in field
// order (name, type letter, width, decimals).
const std::vector<std::string>& LogFieldDefinitions();

// Where the log lives below the writable folder.
inline constexpr const char* kReportsFolder = "Reports";
inline constexpr const char* kLogFileName = "report3.dbf";

// "<folder>Reports/report3.dbf" for a folder given with its trailing "/".
std::string LogFilePath(const std::string& writableFolder);

} // namespace vell3::log
