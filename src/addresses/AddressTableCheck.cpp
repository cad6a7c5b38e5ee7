#include "AddressTableCheck.h"

#include "FieldDef.h"
#include "TTzDbf.h"
#include "Text.h"

#include <array>

namespace vell3::addresses {

namespace {

struct RequiredField {
    std::string_view name; // as the messages show it
    char type;
    std::string_view typeInWords;
};

constexpr std::array<RequiredField, 4> kRequiredFields{{
    {"ADDRESS", 'M', "a memo field"},
    {"CITY", 'C', "a character field"},
    {"STATE", 'C', "a character field"},
    {"ZIP", 'C', "a character field"},
}};

std::string Prefix(std::string_view fileName) {
    // Appended piece by piece: GCC 12 at -O3 takes "literal" + std::string&&
    // for an overlapping copy (-Wrestrict).
    std::string prefix = "\"";
    prefix += fileName;
    prefix += "\" is not an address database: ";
    return prefix;
}

} // namespace

std::optional<std::string> AddressTableProblem(std::string_view fileName,
                                               const std::vector<tables::FieldInfo>& fields) {
    for (const RequiredField& required : kRequiredFields) {
        const tables::FieldInfo* found = nullptr;
        for (const tables::FieldInfo& field : fields) {
            if (EqualsNoCase(field.name, required.name)) {
                found = &field;
                break;
            }
        }
        if (found == nullptr) {
            return Prefix(fileName) + "it has no field " + std::string(required.name) + ".";
        }
        if (found->type != required.type) {
            return Prefix(fileName) + "its field " + std::string(required.name) + " must be " +
                   std::string(required.typeInWords) + ", but it is of type " +
                   tables::FieldTypeInWords(*found) + ".";
        }
    }
    return std::nullopt;
}

std::optional<std::string> AddressTableProblem(const tables::TTzDbf& table) {
    return AddressTableProblem(table.DbfFileName(), table.Fields());
}

} // namespace vell3::addresses
