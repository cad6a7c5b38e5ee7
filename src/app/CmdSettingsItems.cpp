#include "CmdSettingsItems.h"

#include "Text.h"

namespace vell3 {

void SaveFeeDefaults(AppSettings& settings, const FeeFieldTexts& fees) {
    settings.DefaultPostage = Trim(fees.postage.toStdString());
    settings.DefaultCertFee = Trim(fees.certified.toStdString());
    settings.DefaultReturn = Trim(fees.returnReceipt.toStdString());
    const std::string restricted = Trim(fees.restricted.toStdString());
    if (!restricted.empty()) {
        settings.DefaultRestricted = restricted;
    }
}

void SetBarCodeMode(AppSettings& settings, bool printBarCodes) {
    settings.PrintBarCode = printBarCodes;
    if (!printBarCodes) {
        settings.Increment = true;
    }
}

} // namespace vell3
