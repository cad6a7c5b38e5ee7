#pragma once

#include "DbfDate.h"

#include <array>
#include <string>

namespace vell3::log {

// One row of the mailing log: what was printed on one mailer, as the main
// window showed it. Texts longer than their field are cut by the table.
struct LogRecord {
    std::array<std::string, 4> sentname; // the first four recipient lines, untrimmed
    std::string city;                    // trimmed
    std::string state;                   // trimmed
    std::string zip;                     // tidied
    tables::DbfDate rdate;               // the day the mailer was printed
    std::string mailernum;               // the grouped number, 24 characters
    std::string postage;                 // money texts as displayed, leading blanks kept
    std::string certified;
    std::string restricted; // a single blank when restricted delivery is not ticked
    std::string returnFee;  // field "return"
    std::string total;
    std::string comments;
    std::string re;
};

} // namespace vell3::log
