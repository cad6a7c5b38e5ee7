#pragma once

#include <array>
#include <cstdint>
#include <variant>

#include "AppSettings.h"

namespace vell3 {

// One key of the settings file, in the order LoadSettings reads and
// SaveSettings writes them.
struct SettingKey {
    const char* section;
    const char* key;
    // Two keys are written in another letter case than they are read; names
    // match without regard to case, so both reach the same entry.
    const char* saveSection;
    const char* saveKey;
    const char* fieldName; // the AppSettings field, as the headless tool names it
    std::variant<std::string AppSettings::*, bool AppSettings::*, std::int32_t AppSettings::*>
        field;
    const char* defaultText; // nullptr where the default is computed
};

inline constexpr size_t kSettingKeyCount = 23;

const std::array<SettingKey, kSettingKeyCount>& SettingKeys();

} // namespace vell3
