#pragma once

#include "AppSettings.h"

#include <QString>

namespace vell3 {

// The fee fields' texts as displayed.
struct FeeFieldTexts {
    QString postage;
    QString certified;
    QString returnReceipt;
    QString restricted;
};

// Options > Default Postage > Save Values: the fee fields, trimmed, become the
// defaults; an empty restricted fee keeps the default it has.
void SaveFeeDefaults(AppSettings& settings, const FeeFieldTexts& fees);

// Options > BarCode's: "Print" turns barcode mode on; "Don't Print" turns it
// off and always counts pre-printed numbers up.
void SetBarCodeMode(AppSettings& settings, bool printBarCodes);

} // namespace vell3
