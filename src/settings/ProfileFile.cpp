#include "ProfileFile.h"

#include "Text.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vell3 {

namespace {

std::string_view TrimBlanks(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The name of a "[name]" line, or no value for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = TrimBlanks(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    line.remove_prefix(1);
    const auto close = line.find(']');
    return TrimBlanks(close == std::string_view::npos ? line : line.substr(0, close));
}

// Splits a "key=value" line; comment lines (";") have no key.
bool SplitKeyLine(std::string_view line, std::string_view& key, std::string_view& value) {
    const std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() == ';') {
        return false;
    }
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
        return false;
    }
    key = TrimBlanks(line.substr(0, equals));
    value = TrimBlanks(line.substr(equals + 1));
    return true;
}

// A value must stay on its line: a line break inside it would split the file.
std::string OneLine(std::string_view value) {
    std::string out(value);
    for (char& c : out) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return out;
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

} // namespace

ProfileFile ProfileFile::Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return ProfileFile{};
    }
    std::ostringstream content;
    content << in.rdbuf();
    return Parse(content.str());
}

ProfileFile ProfileFile::Parse(std::string_view content) {
    ProfileFile file;
    const auto firstBreak = content.find('\n');
    if (firstBreak != std::string_view::npos && firstBreak > 0 && content[firstBreak - 1] == '\r') {
        file.newline_ = "\r\n";
    }
    while (!content.empty()) {
        const auto end = content.find('\n');
        std::string_view line = content.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        file.lines_.emplace_back(line);
        if (end == std::string_view::npos) {
            break;
        }
        content.remove_prefix(end + 1);
    }
    return file;
}

std::optional<ProfileFile::Located> ProfileFile::FindSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        const auto name = SectionName(lines_[i]);
        if (name && EqualsNoCase(*name, section)) {
            size_t end = i + 1;
            while (end < lines_.size() && !SectionName(lines_[end])) {
                ++end;
            }
            return Located{i, end};
        }
    }
    return std::nullopt;
}

std::optional<size_t> ProfileFile::FindKey(const Located& section, std::string_view key) const {
    for (size_t i = section.sectionLine + 1; i < section.endLine; ++i) {
        std::string_view name;
        std::string_view value;
        if (SplitKeyLine(lines_[i], name, value) && EqualsNoCase(name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> ProfileFile::Get(std::string_view section, std::string_view key) const {
    const auto located = FindSection(section);
    if (!located) {
        return std::nullopt;
    }
    const auto line = FindKey(*located, key);
    if (!line) {
        return std::nullopt;
    }
    std::string_view name;
    std::string_view value;
    SplitKeyLine(lines_[*line], name, value);
    return std::string(value);
}

void ProfileFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string valueText = OneLine(value);
    auto located = FindSection(section);
    if (!located) {
        if (!lines_.empty() && !TrimBlanks(lines_.back()).empty()) {
            lines_.emplace_back();
        }
        // Built piece by piece, as the temporary file's name below.
        std::string header(1, '[');
        header.append(section).push_back(']');
        lines_.push_back(std::move(header));
        lines_.push_back(std::string(key) + "=" + valueText);
        return;
    }
    if (const auto line = FindKey(*located, key)) {
        std::string_view name;
        std::string_view oldValue;
        SplitKeyLine(lines_[*line], name, oldValue);
        lines_[*line] = std::string(name) + "=" + valueText;
        return;
    }
    // A new key goes after the section's last non-blank line, before the blank
    // lines that separate it from the next section.
    size_t insertAt = located->endLine;
    while (insertAt > located->sectionLine + 1 && TrimBlanks(lines_[insertAt - 1]).empty()) {
        --insertAt;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  std::string(key) + "=" + valueText);
}

std::string ProfileFile::Serialize() const {
    std::string out;
    for (const std::string& line : lines_) {
        out += line;
        out += newline_;
    }
    return out;
}

bool ProfileFile::WriteAtomically(const std::string& path) const {
    namespace fs = std::filesystem;
    const fs::path target(path);
    std::error_code error;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    fs::create_directories(folder, error);

    // Appended piece by piece: GCC 12 takes "literal" + std::string&& at -O3 for
    // an overlapping copy (-Wrestrict).
    std::string name(1, '.');
    name.append(target.filename().string()).append(".XXXXXX");
    std::string temporary = (folder / name).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return false;
    }
    struct stat existing {};
    const mode_t mode = ::stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
    const bool written = ::fchmod(fd, mode) == 0 && WriteAll(fd, Serialize()) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // Make the rename itself durable.
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

} // namespace vell3
