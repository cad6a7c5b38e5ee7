#pragma once

#include "MonoBitmap.h"

#include <string>

namespace vell3::testing {

// Reads one row of a bitmap back as modules of `scale` pixels, "1" dark,
// after checking that every module is uniformly dark or light.
inline std::string ModulesOfRow(const MonoBitmap& bitmap, int y, int scale) {
    std::string modules;
    for (int x = 0; x + scale <= bitmap.Width(); x += scale) {
        const bool dark = bitmap.IsBlack(x, y);
        for (int k = 1; k < scale; ++k) {
            if (bitmap.IsBlack(x + k, y) != dark) {
                return "module at x=" + std::to_string(x) + " is not uniform";
            }
        }
        modules.push_back(dark ? '1' : '0');
    }
    return modules;
}

} // namespace vell3::testing
