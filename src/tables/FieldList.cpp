#include "FieldList.h"

#include "Warnings.h"

#include <algorithm>
#include <cstdlib>

namespace vell3::tables {

namespace {

constexpr int kMaxNumericLength = 20;
constexpr int kMaxNumericDecimals = 18;
constexpr int kMaxCharLength = 254;

int ParseNumber(const std::string& text) {
    // A lenient decimal reading: blanks around the digits are allowed, any
    // other text counts as 0 (and is then caught by the length check).
    const char* begin = text.c_str();
    char* end = nullptr;
    const long value = std::strtol(begin, &end, 10);
    if (end == begin) {
        return 0;
    }
    return static_cast<int>(std::clamp<long>(value, -100000, 100000));
}

bool IsAcceptedType(char type) {
    return type == 'C' || type == 'D' || type == 'F' || type == 'L' || type == 'M' || type == 'N';
}

std::string DefText(const FieldDef& def) {
    return def.name + "," + std::string(1, def.type) + "," + std::to_string(def.length) + "," +
           std::to_string(def.decimals);
}

} // namespace

bool HasThreeCommas(const std::string& line) {
    return std::ranges::count(line, ',') == 3;
}

FieldDef ParseFieldListLine(const std::string& line) {
    std::vector<std::string> items;
    size_t start = 0;
    for (;;) {
        const size_t comma = line.find(',', start);
        items.push_back(line.substr(start, comma - start));
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    items.resize(4);
    FieldDef def;
    def.name = items[0].substr(0, 10);
    def.type = items[1].empty() ? ' ' : items[1][0];
    def.length = ParseNumber(items[2]);
    def.decimals = ParseNumber(items[3]);
    return def;
}

std::optional<FieldDef> CorrectFieldDef(const FieldDef& def) {
    FieldDef fixed = def;
    const char upper =
        (def.type >= 'a' && def.type <= 'z') ? static_cast<char>(def.type - 32) : def.type;
    if (upper == 'B' || upper == 'G' || upper == 'P') {
        fixed.type = 'M';
    } else if (!IsAcceptedType(upper)) {
        fixed.type = 'C';
    }
    const char type = fixed.type == 'M' ? 'M' : (IsAcceptedType(upper) ? upper : 'C');
    if (type == 'N') {
        fixed.length = std::min(fixed.length, kMaxNumericLength);
        fixed.decimals = std::min(fixed.decimals, kMaxNumericDecimals);
        if (fixed.decimals > 0 && fixed.length - fixed.decimals < 2) {
            fixed.decimals = std::max(0, fixed.length - 2);
        }
    }
    if (type == 'C' && fixed.length == 255) {
        fixed.length = kMaxCharLength;
        fixed.decimals = 0;
    }
    if (fixed.type == def.type && fixed.length == def.length && fixed.decimals == def.decimals) {
        return std::nullopt;
    }
    return fixed;
}

std::string CorrectionMessage(const std::string& component, const FieldDef& given,
                              const FieldDef& corrected) {
    return "Invalid field definition for " + component + ": " + DefText(given) +
           ". Will use corrected definition: " + DefText(corrected);
}

std::optional<std::vector<FieldDef>> FieldsFromList(const std::vector<std::string>& lines,
                                                    const std::string& component) {
    std::vector<FieldDef> defs;
    for (const auto& line : lines) {
        if (!HasThreeCommas(line)) {
            return std::nullopt;
        }
    }
    for (const auto& line : lines) {
        FieldDef def = ParseFieldListLine(line);
        if (def.type == 'X' || def.type == 'x') {
            continue;
        }
        if (auto fixed = CorrectFieldDef(def)) {
            ShowWarning(CorrectionMessage(component, def, *fixed));
            def = *fixed;
        }
        defs.push_back(def);
    }
    return defs;
}

std::string FieldListLine(const FieldInfo& field) {
    return field.name + "," + std::string(1, field.type) + "," + std::to_string(field.length) +
           "," + std::to_string(field.decimals);
}

} // namespace vell3::tables
