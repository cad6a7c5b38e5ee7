#include "MissingPrinterPage.h"

#include "PrintMessages.h"
#include "UserError.h"

namespace vell3 {

void MissingPrinterPage::BeginDocument() {
    throw UserError(kNoDefaultPrinterMessage);
}

} // namespace vell3
