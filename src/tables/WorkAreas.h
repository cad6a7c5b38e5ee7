#pragma once

#include <string>

namespace vell3::tables {

class TTzDbf;

// The engine's work areas: at most 33 tables open at once. A newly opened
// table takes the lowest free number.
class WorkAreas {
public:
    static constexpr int kCount = 33;

    // The number taken, or raises "No free workarea available [Select(0)]".
    static int Take(TTzDbf* table);
    static void Release(int area);
    // The open table whose file is fullPath (letter case not minded), in the
    // highest-numbered work area; nullptr when none.
    static TTzDbf* FindByPath(const std::string& fullPath);
};

} // namespace vell3::tables
