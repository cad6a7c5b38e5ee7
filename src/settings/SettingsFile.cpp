#include "SettingsFile.h"

#include "IntegerText.h"
#include "SettingsKeys.h"
#include "Text.h"
#include "UserError.h"

#include <filesystem>

namespace vell3 {

namespace {

// GetPrivateProfileString hands back at most this many characters.
constexpr size_t kMaxValueCharacters = 2047;

constexpr const char* kMakerBrand = "Ambervale";
constexpr const char* kResellerBrand = "Brisquel";
constexpr const char* kResellerLogo = "Scr_logo.bmp";
constexpr const char* kAddressFolderName = "Addresses";

std::string ReadText(const std::optional<std::string>& value, const std::string& fallback) {
    if (!value) {
        return fallback;
    }
    std::u32string text = Utf8ToU32(DecodeExternalText(*value));
    if (text.size() > kMaxValueCharacters) {
        text.resize(kMaxValueCharacters);
    }
    return U32ToUtf8(text);
}

std::string DefaultText(const SettingKey& key, const AppSettings& settings) {
    if (key.defaultText != nullptr) {
        return key.defaultText;
    }
    if (key.field.index() == 0 && std::get<0>(key.field) == &AppSettings::AddressFolder) {
        return WritableFolder(settings) + kAddressFolderName;
    }
    return {};
}

void LoadKey(AppSettings& settings, const SettingKey& key, const ProfileFile& file) {
    const auto value = file.Get(key.section, key.key);
    const std::string fallback = DefaultText(key, settings);
    std::visit(
        [&](auto member) {
            using Field = std::remove_reference_t<decltype(settings.*member)>;
            if constexpr (std::is_same_v<Field, std::string>) {
                settings.*member = ReadText(value, fallback);
            } else if constexpr (std::is_same_v<Field, bool>) {
                settings.*member = ReadProfileBoolean(value, fallback == "1");
            } else {
                settings.*member = ReadProfileInteger(value, *ParseInteger(fallback));
            }
        },
        key.field);
}

} // namespace

std::int32_t ReadProfileInteger(const std::optional<std::string>& value, std::int32_t fallback) {
    if (!value) {
        return fallback;
    }
    const std::string& text = *value;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        // Built piece by piece: GCC 12 takes "literal" + std::string&& at -O3
        // for an overlapping copy (-Wrestrict).
        std::string hex(1, '$');
        hex.append(text, 2);
        return ParseInteger(hex).value_or(fallback);
    }
    return ParseInteger(text).value_or(fallback);
}

bool ReadProfileBoolean(const std::optional<std::string>& value, bool fallback) {
    return ReadProfileInteger(value, fallback ? 1 : 0) != 0;
}

void ChooseBranding(AppSettings& settings, const PictureCheck& pictureLoads) {
    const std::string logo = settings.ProgramFolder + kResellerLogo;
    std::error_code error;
    if (std::filesystem::exists(logo, error) && pictureLoads && pictureLoads(logo)) {
        settings.CompanyType = kResellerBrand;
    }
    if (settings.CompanyType.empty()) {
        settings.CompanyType = kMakerBrand;
    }
}

void LoadSettings(AppSettings& settings, const ProfileFile& file,
                  const PictureCheck& pictureLoads) {
    const auto& keys = SettingKeys();
    LoadKey(settings, keys[0], file);
    if (settings.CompanyType.empty()) {
        ChooseBranding(settings, pictureLoads);
    }
    // Read before the address folder, whose default lies in the writable folder.
    const auto dataFolder = file.Get(kDataFolderSection, kDataFolderKey);
    settings.DataFolder.reset();
    if (dataFolder) {
        settings.DataFolder = ReadText(dataFolder, {});
    }
    for (size_t i = 1; i < keys.size(); ++i) {
        LoadKey(settings, keys[i], file);
    }
}

void LoadSettings(AppSettings& settings, const std::string& path,
                  const PictureCheck& pictureLoads) {
    LoadSettings(settings, ProfileFile::Read(path), pictureLoads);
}

std::string SettingValueText(const AppSettings& settings, size_t keyIndex) {
    return std::visit(
        [&](auto member) -> std::string {
            using Field = std::remove_cvref_t<decltype(settings.*member)>;
            if constexpr (std::is_same_v<Field, std::string>) {
                return settings.*member;
            } else if constexpr (std::is_same_v<Field, bool>) {
                return settings.*member ? "1" : "0";
            } else {
                return std::to_string(settings.*member);
            }
        },
        SettingKeys()[keyIndex].field);
}

void StoreSettings(const AppSettings& settings, ProfileFile& file) {
    const auto& keys = SettingKeys();
    for (size_t i = 0; i < keys.size(); ++i) {
        file.Set(keys[i].saveSection, keys[i].saveKey, SettingValueText(settings, i));
    }
    if (settings.DataFolder) {
        file.Set(kDataFolderSection, kDataFolderKey, *settings.DataFolder);
    }
}

void SaveSettings(const AppSettings& settings, const std::string& path) {
    ProfileFile file = ProfileFile::Read(path);
    StoreSettings(settings, file);
    if (!file.WriteAtomically(path)) {
        throw UserError(kSettingsWriteError);
    }
}

} // namespace vell3
