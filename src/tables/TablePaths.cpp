#include "TablePaths.h"

#include <filesystem>

namespace vell3::tables {

namespace {

size_t NameStart(std::string_view path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? 0 : slash + 1;
}

} // namespace

bool HasExtension(std::string_view path) {
    const std::string_view name = path.substr(NameStart(path));
    return name.find('.') != std::string_view::npos;
}

std::string TableFileName(std::string_view name) {
    std::string trimmed(name);
    while (!trimmed.empty() && trimmed.front() == ' ') {
        trimmed.erase(trimmed.begin());
    }
    while (!trimmed.empty() && trimmed.back() == ' ') {
        trimmed.pop_back();
    }
    if (trimmed.empty() || trimmed.back() == '.' || HasExtension(trimmed)) {
        return trimmed;
    }
    // On a file system that minds letter case, an existing "name.dbf" is
    // the table meant by "name".
    std::error_code error;
    if (!std::filesystem::exists(trimmed + ".DBF", error) &&
        std::filesystem::exists(trimmed + ".dbf", error)) {
        return trimmed + ".dbf";
    }
    return trimmed + ".DBF";
}

std::string ReplaceExtension(const std::string& path, std::string_view extension) {
    const size_t start = NameStart(path);
    const size_t dot = path.find_last_of('.');
    std::string stem = (dot == std::string::npos || dot < start) ? path : path.substr(0, dot);
    return stem + "." + std::string(extension);
}

std::string BaseName(const std::string& path) {
    std::string name = path.substr(NameStart(path));
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return name;
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, NameStart(path));
}

std::string FullPath(const std::string& path) {
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(path, error);
    if (error) {
        return path;
    }
    return full.lexically_normal().string();
}

} // namespace vell3::tables
