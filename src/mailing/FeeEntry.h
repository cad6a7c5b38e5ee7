#pragma once

#include "AppSettings.h"

#include <optional>
#include <string>

namespace vell3::mailing {

// Fee amounts as typed into the main window's fee fields; a field not typed
// keeps its default from the settings.
struct TypedFees {
    std::optional<std::string> postage;
    std::optional<std::string> certFee;
    std::optional<std::string> returnFee;
    bool restricted = false;
    std::optional<std::string> restrictedFee;
};

// The five fee texts as displayed once each typed field was left in the order
// postage, certified fee, return receipt, restricted fee: each leave sets the
// total from the four fields (the one being left still holding what was
// typed), then the field's own money text.
struct DisplayedFees {
    std::string postage;
    std::string certFee;
    std::string returnFee;
    std::string restrictedFee;
    std::string total;
};

DisplayedFees EnterFees(const AppSettings& settings, const TypedFees& typed);

} // namespace vell3::mailing
