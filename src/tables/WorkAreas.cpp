#include "WorkAreas.h"

#include "EngineError.h"
#include "TTzDbf.h"
#include "TablePaths.h"
#include "Text.h"

#include <array>

namespace vell3::tables {

namespace {

std::array<TTzDbf*, WorkAreas::kCount>& Areas() {
    static std::array<TTzDbf*, WorkAreas::kCount> areas{};
    return areas;
}

} // namespace

int WorkAreas::Take(TTzDbf* table) {
    auto& areas = Areas();
    for (int i = 0; i < kCount; ++i) {
        if (areas[static_cast<size_t>(i)] == nullptr) {
            areas[static_cast<size_t>(i)] = table;
            return i;
        }
    }
    RaiseEngineError(4, "No free workarea available [Select(0)]");
}

void WorkAreas::Release(int area) {
    if (area >= 0 && area < kCount) {
        Areas()[static_cast<size_t>(area)] = nullptr;
    }
}

TTzDbf* WorkAreas::FindByPath(const std::string& fullPath) {
    auto& areas = Areas();
    for (int i = kCount - 1; i >= 0; --i) {
        TTzDbf* table = areas[static_cast<size_t>(i)];
        if (table != nullptr && EqualsNoCase(FullPath(table->DbfFileName()), fullPath)) {
            return table;
        }
    }
    return nullptr;
}

} // namespace vell3::tables
