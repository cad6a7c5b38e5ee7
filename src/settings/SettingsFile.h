#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "AppSettings.h"
#include "ProfileFile.h"

namespace vell3 {

// The message of a settings write that the system refused.
inline constexpr const char* kSettingsWriteError = "Unable to write to vell3.ini";
inline constexpr const char* kSettingsFileName = "vell3.ini";

// The optional key beside the 23: a writable folder that several desks share.
inline constexpr const char* kDataFolderSection = "System Path";
inline constexpr const char* kDataFolderKey = "DataFolder";

// Tells whether the picture at a path loads; ChooseBranding's only question.
using PictureCheck = std::function<bool(const std::string& path)>;

// Fills every saved field of `settings` from the file (missing keys take their
// defaults), and DataFolder when the file holds it. `settings.ProgramFolder`
// and `settings.LocalDataFolder` must already be set.
void LoadSettings(AppSettings& settings, const ProfileFile& file, const PictureCheck& pictureLoads);
void LoadSettings(AppSettings& settings, const std::string& path, const PictureCheck& pictureLoads);

// "Brisquel" when the reseller logo "Scr_logo.bmp" of the program folder loads,
// else "Ambervale".
void ChooseBranding(AppSettings& settings, const PictureCheck& pictureLoads);

// Writes every saved field into the file's text, keeping its other lines;
// DataFolder only when it was read.
void StoreSettings(const AppSettings& settings, ProfileFile& file);

// Writes every saved field to the file at `path`, atomically; safe to call at
// any moment. Throws UserError("Unable to write to vell3.ini") and leaves the
// previous file whole when the write fails.
void SaveSettings(const AppSettings& settings, const std::string& path);

// Reading rules of the file's value forms.
std::int32_t ReadProfileInteger(const std::optional<std::string>& value, std::int32_t fallback);
bool ReadProfileBoolean(const std::optional<std::string>& value, bool fallback);

// The text the saved fields are written as ("1"/"0", decimal integers).
std::string SettingValueText(const AppSettings& settings, size_t keyIndex);

} // namespace vell3
