#include "FeeEntry.h"

#include "Money.h"

#include <array>

namespace vell3::mailing {

DisplayedFees EnterFees(const AppSettings& settings, const TypedFees& typed) {
    // The total adds the fields in the order postage, certified fee,
    // restricted fee, return receipt.
    enum { kPostage, kCertFee, kRestricted, kReturn };
    std::array<std::string, 4> fields = {FeeFieldText(settings.DefaultPostage),
                                         FeeFieldText(settings.DefaultCertFee), FeeFieldText(""),
                                         FeeFieldText(settings.DefaultReturn)};
    std::string total = FeeTotalText(fields);
    const auto typeAndLeave = [&](int field, const std::string& text) {
        fields[static_cast<std::size_t>(field)] = text;
        total = FeeTotalText(fields);
        fields[static_cast<std::size_t>(field)] = FeeFieldText(text);
    };
    typeAndLeave(kPostage, typed.postage.value_or(settings.DefaultPostage));
    typeAndLeave(kCertFee, typed.certFee.value_or(settings.DefaultCertFee));
    typeAndLeave(kReturn, typed.returnFee.value_or(settings.DefaultReturn));
    if (typed.restricted) {
        typeAndLeave(kRestricted, typed.restrictedFee.value_or(settings.DefaultRestricted));
    }
    return {fields[kPostage], fields[kCertFee], fields[kReturn], fields[kRestricted], total};
}

} // namespace vell3::mailing
