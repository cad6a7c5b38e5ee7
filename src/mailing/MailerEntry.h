#pragma once

#include "AppSettings.h"
#include "DbfDate.h"
#include "LogRecord.h"
#include "MailerFormValues.h"
#include "Zip.h"

#include <array>
#include <string>
#include <vector>

namespace vell3::mailing {

// What the main window shows for one mailer, as the user sees it: the
// recipient memo's displayed lines, the city, state and ZIP fields (the ZIP as
// its masked field reads: "     -    " when empty), the RE and comment, the
// restricted tick and the five fee texts as displayed.
struct MailerEntry {
    std::vector<std::string> recipientLines;
    std::string city;
    std::string state;
    std::string zip = kEmptyZipText;
    std::string re;
    std::string comment;
    bool restricted = false;
    std::string postage;
    std::string certFee;
    std::string returnFee;
    std::string restrictedFee = " ";
    std::string total = " ";
};

// What the entry fields admit.
inline constexpr std::size_t kMaxCityLength = 35;
inline constexpr std::size_t kMaxStateLength = 4;
inline constexpr std::size_t kMaxReLength = 25;
inline constexpr std::size_t kMaxCommentLength = 35;

// The first characters of a UTF-8 text, as far as an entry field admits them.
std::string CutToField(std::string_view text, std::size_t characters);

// The record the form is printed from: the sender's five lines as shown, the
// recipient with the city line in the first blank name line, the fee texts as
// displayed, the number sources of the sequence's mode, alignment and extra
// label from the settings.
MailerFormValues FillMailerFormValues(const MailerEntry& entry, const AppSettings& settings,
                                      const std::array<std::string, 5>& senderLines);

// The log row of a printed mailer: the first four displayed recipient lines
// as they are, city and state trimmed, the ZIP tidied, the grouped number
// that went on paper and the day it was printed.
log::LogRecord MakeLogRecord(const MailerEntry& entry, const std::string& groupedNumber,
                             const tables::DbfDate& printedOn);

// Today's date on this computer.
tables::DbfDate Today();

} // namespace vell3::mailing
