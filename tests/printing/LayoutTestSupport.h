#pragma once

#include "MailerFormValues.h"
#include "Money.h"

#include <cmath>

namespace vell3::testing {

// A mailer with every block filled: barcode mode, restricted delivery, a
// ZIP+4 recipient and the extra label addressed to the recipient.
inline MailerFormValues SampleMailer() {
    MailerFormValues v;
    v.SetSenderLines({"jane doe", "12 main st", "Springfield IL 62701", "", ""});
    v.SenderZip = "62701";
    v.SetRecipientLines({"john smith", "4 elm rd", "Boston MA 02134-1234", "", ""});
    v.RecipientZip = "02134-1234";
    v.ReText = "Case 7a";
    v.CommentText = "first notice";
    v.RestrictedMark = "Y";
    v.NumberSource = "123456789";
    v.SerialSource = "00000042";
    v.PostageText = FeeFieldText("0.39");
    v.CertFeeText = FeeFieldText("2.40");
    v.ReturnText = FeeFieldText("1.85");
    v.RestrictedText = FeeFieldText("3.50");
    v.TotalText = FeeTotalText({v.PostageText, v.CertFeeText, v.RestrictedText, v.ReturnText});
    return v;
}

// Device position of a page position, from the definition of the layout.
inline int DeviceUnits(double inches, int offsetUnits, int dpi, int align) {
    const double offsetInches = static_cast<double>(offsetUnits) / dpi;
    return static_cast<int>(std::trunc((inches - offsetInches) * dpi)) + 3 * align;
}

} // namespace vell3::testing
