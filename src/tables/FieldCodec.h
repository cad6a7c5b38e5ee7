#pragma once

#include "FieldDef.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vell3::tables {

// The encodings of field values in a raw record (deletion flag at byte 0, then
// the fields in descriptor order, each exactly its length).

std::string_view RawField(const std::string& record, const FieldInfo& field);
// Stores bytes left-aligned, padded with blanks, cut to the field length.
void PutRawField(std::string& record, const FieldInfo& field, std::string_view bytes);

// Text of a C field as the program sees it: from code page 437 to UTF-8 when
// the table translates, else the bytes as they are. Blanks are kept.
std::string DecodeText(std::string_view bytes, bool translate);
std::string EncodeText(std::string_view text, bool translate);

// Decimal text with exactly the given decimals and a point as the decimal
// separator, whatever the program's locale.
std::string FormatFixed(double value, int decimals);
// A decimal number (optional sign, digits, a point, an exponent) at the start
// of text, read whatever the program's locale; used is the number of
// characters it takes, 0 when there is none.
std::optional<double> ParseDecimal(std::string_view text, size_t& used);

// A number right-aligned with exactly the given decimals; '*' in every
// position when it does not fit.
std::string FormatNumber(double value, int length, int decimals);
// The number in an N or F field; nothing for a blank or unreadable field.
std::optional<double> ParseNumberField(std::string_view bytes);

// 'T', 't', 'Y' and 'y' read as true.
bool ParseLogical(std::string_view bytes);

// A memo field's block number; blanks, and anything that is not a decimal
// number, read as 0.
uint32_t ParseMemoBlock(std::string_view bytes);
std::string FormatMemoBlock(uint32_t block);

// A blank value of the field: C blanks, D empty, N and F zero, L false, M no
// memo.
void BlankField(std::string& record, const FieldInfo& field);

} // namespace vell3::tables
