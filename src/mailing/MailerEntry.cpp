#include "MailerEntry.h"

#include "AddressText.h"
#include "Text.h"

#include <ctime>

namespace vell3::mailing {

namespace {

constexpr std::size_t kLoggedLines = 4;

std::string LineOrEmpty(const std::vector<std::string>& lines, std::size_t index) {
    return index < lines.size() ? lines[index] : std::string();
}

} // namespace

std::string CutToField(std::string_view text, std::size_t characters) {
    std::u32string wide = Utf8ToU32(text);
    if (wide.size() > characters) {
        wide.resize(characters);
    }
    return U32ToUtf8(wide);
}

MailerFormValues FillMailerFormValues(const MailerEntry& entry, const AppSettings& settings,
                                      const std::array<std::string, 5>& senderLines) {
    MailerFormValues values;
    values.SetSenderLines(senderLines);
    values.SenderZip = settings.YourZip;
    std::vector<std::string> nameLines;
    for (std::size_t i = 0; i < kLoggedLines; ++i) {
        nameLines.push_back(LineOrEmpty(entry.recipientLines, i));
    }
    values.SetRecipientLines(RecipientLines(nameLines, entry.city, entry.state, entry.zip));
    values.RecipientZip = NormalizeZip(entry.zip);
    values.ReText = CutToField(entry.re, kMaxReLength);
    values.CommentText = entry.comment;
    values.RestrictedMark.assign(1, entry.restricted ? 'Y' : 'N');
    if (settings.PrintBarCode) {
        values.NumberSource = settings.CustID;
        std::erase(values.NumberSource, '-');
        values.SerialSource = settings.SerialNum;
    } else {
        values.NumberSource = settings.MailerNum;
        values.SerialSource.clear();
    }
    values.PostageText = entry.postage;
    values.CertFeeText = entry.certFee;
    values.ReturnText = entry.returnFee;
    values.RestrictedText = entry.restrictedFee;
    values.TotalText = entry.total;
    values.AlignX = std::to_string(settings.AlignLeftRight);
    values.AlignY = std::to_string(settings.AlignTopBottom);
    values.PrintExtraLabel = settings.PrintExtraLabel;
    values.ExtraLabel = settings.ExtraLabel;
    return values;
}

log::LogRecord MakeLogRecord(const MailerEntry& entry, const std::string& groupedNumber,
                             const tables::DbfDate& printedOn) {
    log::LogRecord record;
    for (std::size_t i = 0; i < kLoggedLines; ++i) {
        record.sentname[i] = LineOrEmpty(entry.recipientLines, i);
    }
    record.city = Trim(entry.city);
    record.state = Trim(entry.state);
    record.zip = NormalizeZip(entry.zip);
    record.rdate = printedOn;
    record.mailernum = groupedNumber;
    record.postage = entry.postage;
    record.certified = entry.certFee;
    record.restricted = entry.restrictedFee;
    record.returnFee = entry.returnFee;
    record.total = entry.total;
    record.comments = entry.comment;
    record.re = entry.re;
    return record;
}

tables::DbfDate Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

} // namespace vell3::mailing
