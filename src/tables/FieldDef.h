#pragma once

#include <string>

namespace vell3::tables {

// A field definition as given for creating a table.
struct FieldDef {
    std::string name;
    char type = 'C';
    int length = 0;
    int decimals = 0;
};

// A field of an open table: its definition and where it lies in the record.
struct FieldInfo {
    std::string name; // upper case, as in the file
    char type = 'C';  // B, G and P read as M
    int length = 0;
    int decimals = 0;
    int offset = 0; // in the record, after the deletion flag
};

// The field's type in words, as the engine's messages give it: "Character",
// "Date", "Logical", "Memo" or "Numeric, width: <n> decimals: <d>".
std::string FieldTypeInWords(const FieldInfo& field);

} // namespace vell3::tables
