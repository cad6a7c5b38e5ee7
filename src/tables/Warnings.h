#pragma once

#include <functional>
#include <string>

namespace vell3::tables {

// Warnings the engine shows in an information box while the table stays
// usable ("Lock failed [Post]", "Could not create ...", the field-definition
// correction). The desktop program shows them; tests record them; without a
// hook they go to standard error.
using WarningHook = std::function<void(const std::string&)>;
WarningHook SetWarningHook(WarningHook hook);

void ShowWarning(const std::string& message);

} // namespace vell3::tables
