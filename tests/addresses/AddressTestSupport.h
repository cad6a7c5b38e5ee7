#pragma once

#include "TableTestSupport.h"

#include <ostream>
#include <string>
#include <vector>

namespace vell3::addresses::test {

// One record of an address database as the engine reads it back: the memo's
// lines, then city, state and ZIP without their padding.
struct Record {
    std::vector<std::string> lines;
    std::string city;
    std::string state;
    std::string zip;
    bool deleted = false;

    bool operator==(const Record&) const = default;
};

void PrintTo(const Record& record, std::ostream* out);

// Every record of a table, in record order.
std::vector<Record> ReadRecords(const std::string& dbfFile);

// A database of the database mode's fields holding these records.
void WriteDatabase(const std::string& dbfFile, const std::vector<Record>& records,
                   const std::vector<std::string>& fieldList);

// Runs a shell command and returns what it wrote (standard output and error).
using tables::test::RunCommand;

} // namespace vell3::addresses::test
