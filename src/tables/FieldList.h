#pragma once

#include "FieldDef.h"

#include <optional>
#include <string>
#include <vector>

namespace vell3::tables {

// A field list line: name, type letter, length and decimals separated by
// exactly three commas ("sentname0,C,30,0").
bool HasThreeCommas(const std::string& line);

// Parses one line (which must have three commas). The name is cut to 10
// characters, the type is the first character of the second item.
FieldDef ParseFieldListLine(const std::string& line);

// The corrected definition, or nothing when the definition needs none.
std::optional<FieldDef> CorrectFieldDef(const FieldDef& def);

// "Invalid field definition for <component>: n,t,l,d. Will use corrected
// definition: n,t,l,d"
std::string CorrectionMessage(const std::string& component, const FieldDef& given,
                              const FieldDef& corrected);

// The definitions to create a table from: lines with type X are skipped,
// every definition is corrected and each correction announced as a warning.
// Returns nothing when a line lacks its three commas.
std::optional<std::vector<FieldDef>> FieldsFromList(const std::vector<std::string>& lines,
                                                    const std::string& component);

// The field list line of a table's field ("NAME,T,length,decimals").
std::string FieldListLine(const FieldInfo& field);

} // namespace vell3::tables
