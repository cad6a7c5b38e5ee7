#include "AddressTestSupport.h"

#include "TTzDbf.h"
#include "Text.h"

#include <array>
#include <cstdio>

namespace vell3::addresses::test {

namespace {

std::string TrimEnd(std::string text) {
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

} // namespace

void PrintTo(const Record& record, std::ostream* out) {
    *out << "{[";
    for (const auto& line : record.lines) {
        *out << '"' << line << "\" ";
    }
    *out << "] city \"" << record.city << "\" state \"" << record.state << "\" zip \"" << record.zip
         << '"' << (record.deleted ? " deleted" : "") << '}';
}

std::vector<Record> ReadRecords(const std::string& dbfFile) {
    tables::TTzDbf table("TzDbfCheck");
    table.SetCreateIfNotFound(false);
    table.SetDbfFileName(dbfFile);
    table.Open();
    std::vector<Record> records;
    const uint32_t count = table.RecCount();
    for (uint32_t n = 1; n <= count; ++n) {
        table.Go(n);
        Record record;
        table.GetMField("address", record.lines);
        record.city = TrimEnd(table.GetField("city"));
        record.state = TrimEnd(table.GetField("state"));
        record.zip = TrimEnd(table.GetField("zip"));
        record.deleted = table.Deleted();
        records.push_back(std::move(record));
    }
    return records;
}

void WriteDatabase(const std::string& dbfFile, const std::vector<Record>& records,
                   const std::vector<std::string>& fieldList) {
    tables::TTzDbf table("TzDbfSetUp");
    table.SetDbfFields(fieldList);
    table.SetDbfFileName(dbfFile);
    table.Open();
    table.SetExclusive(true);
    for (const auto& record : records) {
        table.ClearRecord();
        table.SetMField("address", record.lines);
        table.SetField("city", record.city);
        table.SetField("state", record.state);
        table.SetField("zip", record.zip);
        table.ALock();
        table.AppendRec();
        table.UnLock();
        if (record.deleted) {
            table.DeleteRec();
        }
    }
    table.Close();
}

} // namespace vell3::addresses::test
