#pragma once

#include <string>
#include <vector>

namespace vell3::tables::test {

// A sixteen-field sample table for the engine tests (the mailing log's own
// definitions are vell3::log::LogFieldDefinitions()).
inline std::vector<std::string> LogFieldList() {
    return {"sentname0,C,30,0", "sentname1,C,30,0", "sentname2,C,30,0", "sentname3,C,30,0",
            "sentcity,C,20,0",  "sentstate,C,4,0",  "sentzip,C,10,0",   "mailernum,C,24,0",
            "rdate,D,10,0",     "postage,C,10,0",   "certfee,C,10,0",   "retfee,C,10,0",
            "restfee,C,10,0",   "total,C,10,0",     "comment,C,40,0",   "re,C,25,0"};
}

} // namespace vell3::tables::test
