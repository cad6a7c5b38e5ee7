#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vell3::tables {
struct FieldInfo;
class TTzDbf;
} // namespace vell3::tables

namespace vell3::addresses {

// Whether a table can serve as an address database: it needs ADDRESS as a
// memo field and CITY, STATE and ZIP as character fields, found by name
// without regard to letter case; their widths do not matter. Returns the
// message that names the file and the first missing or wrong field, or
// nothing when the table fits.
std::optional<std::string> AddressTableProblem(std::string_view fileName,
                                               const std::vector<tables::FieldInfo>& fields);
std::optional<std::string> AddressTableProblem(const tables::TTzDbf& table);

} // namespace vell3::addresses
