#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vell3::tables {
class TTzDbf;
}

namespace vell3::addresses {

// The fields every address database has, reached by name without regard to
// case: the name and street lines in a memo, city, state and ZIP as text.
inline constexpr std::string_view kAddressField = "Address";
inline constexpr std::string_view kCityField = "City";
inline constexpr std::string_view kStateField = "State";
inline constexpr std::string_view kZipField = "Zip";

// The name and street lines a recipient has at most (memo lines of ADDRESS).
inline constexpr int kAddressLines = 4;

// The field list of a database created by File > Read/Write to a database:
// "address,M,10,0", "city,C,35,0", "state,C,2,0", "zip,C,10,0".
const std::vector<std::string>& AddressDatabaseFieldDefinitions();

// The field list of a database created by the import of a name-and-address
// text file: "Address,M,10,0", "City,C,20,0", "State,C,4,0", "Zip,C,10,0".
// The widths differ from the database mode's on purpose: files made by either
// are in use and both kinds must keep opening.
const std::vector<std::string>& ImportedDatabaseFieldDefinitions();

// Sets a table component as the main window's address table is set: the
// database mode's field list (used only to create a missing file), deleted
// records kept in view, code page 437 text, read/write, shared, indexes built
// only when missing. The file name is left to the caller.
void ConfigureAddressTable(tables::TTzDbf& table);

} // namespace vell3::addresses
