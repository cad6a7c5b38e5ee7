#include "Warnings.h"

#include <iostream>
#include <utility>

namespace vell3::tables {

namespace {

WarningHook& Hook() {
    static WarningHook hook;
    return hook;
}

} // namespace

WarningHook SetWarningHook(WarningHook hook) {
    return std::exchange(Hook(), std::move(hook));
}

void ShowWarning(const std::string& message) {
    if (Hook()) {
        Hook()(message);
    } else {
        std::cerr << message << '\n';
    }
}

} // namespace vell3::tables
