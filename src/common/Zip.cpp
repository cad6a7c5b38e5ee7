#include "Zip.h"

#include "Text.h"

namespace vell3 {

std::string NormalizeZip(std::string_view text) {
    const std::string s = Trim(text);
    if (s == "-") {
        return {};
    }
    const auto dash = s.find('-');
    if (dash != std::string::npos && dash == s.size() - 1) {
        return s.substr(0, s.size() - 1);
    }
    if (!s.empty() && s[0] == '-') {
        return Trim(std::string_view(s).substr(1));
    }
    return s;
}

} // namespace vell3
