#include "LogFields.h"

namespace vell3::log {

const std::vector<std::string>& LogFieldDefinitions() {
    static const std::vector<std::string> definitions = {
        "sentname0,C,30,0", "sentname1,C,30,0", "sentname2,C,30,0", "sentname3,C,30,0",
        "city,C,35,0",      "state,C,4,0",      "zip,C,10,0",       "rdate,D,10,0",
        "mailernum,C,25,0", "postage,C,15,0",   "certified,C,15,0", "restricted,C,15,0",
        "return,C,15,0",    "total,C,15,0",     "comments,C,35,0",  "re,C,25,0"};
    return definitions;
}

std::string LogFilePath(const std::string& writableFolder) {
    std::string path = writableFolder;
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    return path + kReportsFolder + "/" + kLogFileName;
}

} // namespace vell3::log
