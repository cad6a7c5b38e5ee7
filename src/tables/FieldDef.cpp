#include "FieldDef.h"

namespace vell3::tables {

std::string FieldTypeInWords(const FieldInfo& field) {
    switch (field.type) {
    case 'C':
        return "Character";
    case 'D':
        return "Date";
    case 'L':
        return "Logical";
    case 'M':
        return "Memo";
    default:
        return "Numeric, width: " + std::to_string(field.length) +
               " decimals: " + std::to_string(field.decimals);
    }
}

} // namespace vell3::tables
