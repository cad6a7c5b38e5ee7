#include "MailerFormValues.h"

namespace vell3 {

void MailerFormValues::SetSenderLines(const std::array<std::string, 5>& lines) {
    SenderLine1 = lines[0];
    SenderLine2 = lines[1];
    SenderLine3 = lines[2];
    SenderLine4 = lines[3];
    SenderLine5 = lines[4];
}

void MailerFormValues::SetRecipientLines(const std::array<std::string, 5>& lines) {
    RecipientLine1 = lines[0];
    RecipientLine2 = lines[1];
    RecipientLine3 = lines[2];
    RecipientLine4 = lines[3];
    RecipientLine5 = lines[4];
}

} // namespace vell3
