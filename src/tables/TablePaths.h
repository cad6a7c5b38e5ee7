#pragma once

#include <string>
#include <string_view>

namespace vell3::tables {

// File names of a table and its companions.

// Trimmed of blanks at both ends; ".DBF" added when the name has no extension
// and does not end in "." (".dbf" when only a file of that spelling exists).
std::string TableFileName(std::string_view name);
// The name with its extension replaced (a name ending in "." or without an
// extension gets the extension added).
std::string ReplaceExtension(const std::string& path, std::string_view extension);
bool HasExtension(std::string_view path);
// The file name without folder and extension.
std::string BaseName(const std::string& path);
std::string FolderOf(const std::string& path); // with trailing "/", or empty
// The absolute form of a path (the current folder in front of a relative one,
// "." and ".." resolved), as open tables are compared.
std::string FullPath(const std::string& path);

} // namespace vell3::tables
