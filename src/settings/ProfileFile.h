#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vell3 {

// A profile (INI) file with the semantics the settings rely on: section and key
// names matched without regard to letter case, a missing key created in the
// case written, every other line kept as it was.
class ProfileFile {
public:
    // A file that does not exist reads as empty.
    static ProfileFile Read(const std::string& path);
    static ProfileFile Parse(std::string_view content);

    // The value of the first matching key of the first matching section, with
    // the blanks around it removed; no value when either is missing.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;

    void Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Serialize() const;

    // Writes the whole file to a temporary file in the same folder, flushes it
    // to disk and renames it over `path`, so that a failure or a crash leaves
    // the previous file whole. Creates the folder when missing. False on failure.
    bool WriteAtomically(const std::string& path) const;

private:
    struct Located {
        size_t sectionLine;
        size_t endLine; // one past the section's last line
    };
    std::optional<Located> FindSection(std::string_view section) const;
    std::optional<size_t> FindKey(const Located& section, std::string_view key) const;

    std::vector<std::string> lines_;
    std::string newline_ = "\n";
};

} // namespace vell3
