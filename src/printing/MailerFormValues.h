#pragma once

#include <array>
#include <string>

namespace vell3 {

// The texts one mailer is printed from, filled by the print commands.
struct MailerFormValues {
    std::string SenderLine1;
    std::string SenderLine2;
    std::string SenderLine3;
    std::string SenderLine4;
    std::string SenderLine5;
    std::string SenderZip; // YourZip as held in the settings
    std::string RecipientLine1;
    std::string RecipientLine2;
    std::string RecipientLine3;
    std::string RecipientLine4;
    std::string RecipientLine5;
    std::string RecipientZip; // tidied
    std::string ReText;       // at most 25 characters
    std::string CommentText;
    std::string RestrictedMark = "N"; // "Y" when restricted delivery is ticked
    // Barcode mode: the customer ID without dashes and SerialNum; pre-printed
    // mode: the 20-digit MailerNum and an empty text.
    std::string NumberSource;
    std::string SerialSource;
    std::string PostageText;
    std::string CertFeeText;
    std::string ReturnText;
    std::string RestrictedText;
    std::string TotalText;
    std::string AlignX = "0"; // AlignLeftRight as decimal text
    std::string AlignY = "0"; // AlignTopBottom as decimal text
    std::string PrintExtraLabel = "Yes";
    std::string ExtraLabel = "Addressed To";

    std::array<std::string, 5> SenderLines() const {
        return {SenderLine1, SenderLine2, SenderLine3, SenderLine4, SenderLine5};
    }
    std::array<std::string, 5> RecipientLines() const {
        return {RecipientLine1, RecipientLine2, RecipientLine3, RecipientLine4, RecipientLine5};
    }
    void SetSenderLines(const std::array<std::string, 5>& lines);
    void SetRecipientLines(const std::array<std::string, 5>& lines);
};

} // namespace vell3
