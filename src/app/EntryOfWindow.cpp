#include "EntryOfWindow.h"

#include "U_Main.h"

namespace vell3 {

mailing::MailerEntry EntryOfWindow(const TF_Main& window) {
    mailing::MailerEntry entry;
    for (const QString& line : window.RecipientNameLines()) {
        entry.recipientLines.push_back(line.toStdString());
    }
    entry.city = window.RecipientCity().toStdString();
    entry.state = window.RecipientState().toStdString();
    entry.zip = window.RecipientZipText().toStdString();
    entry.re = window.ReText().toStdString();
    entry.comment = window.CommentText().toStdString();
    entry.restricted = window.RestrictedTicked();
    const std::array<QString, 5> fees = window.FeeTexts();
    entry.postage = fees[0].toStdString();
    entry.certFee = fees[1].toStdString();
    entry.returnFee = fees[2].toStdString();
    entry.restrictedFee = fees[3].toStdString();
    entry.total = fees[4].toStdString();
    return entry;
}

std::array<std::string, 5> SenderLinesOfWindow(const TF_Main& window) {
    std::array<std::string, 5> lines;
    const std::array<QString, 5> shown = window.SenderLabelTexts();
    for (size_t i = 0; i < lines.size(); ++i) {
        lines[i] = shown[i].toStdString();
    }
    return lines;
}

} // namespace vell3
