// Times the table engine on a table of the mailing log's sixteen fields:
// 100,000 appends (one write each), a sequential read of all of them, and
// IndexOnOne on sentname0. Usage: tables_bench [FOLDER] [RECORDS]

#include "DbfDate.h"
#include "TTzDbf.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace vell3::tables;
using Clock = std::chrono::steady_clock;

const std::vector<std::string> kLogFields = {
    "sentname0,C,30,0", "sentname1,C,30,0", "sentname2,C,30,0", "sentname3,C,30,0",
    "sentcity,C,20,0",  "sentstate,C,4,0",  "sentzip,C,10,0",   "mailernum,C,24,0",
    "rdate,D,10,0",     "postage,C,10,0",   "certfee,C,10,0",   "retfee,C,10,0",
    "restfee,C,10,0",   "total,C,10,0",     "comment,C,40,0",   "re,C,25,0"};

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

} // namespace

int main(int argc, char* argv[]) {
    const std::filesystem::path folder =
        argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path();
    const long records = argc > 2 ? std::atol(argv[2]) : 100000;
    const std::string path = (folder / "bench_report3.dbf").string();
    std::filesystem::remove(path);
    SetShortDateFormat("M/d/yyyy");

    TTzDbf table("TzDbfReport");
    table.SetDbfFields(kLogFields);
    table.SetDbfFileName(path);
    table.Open();

    auto start = Clock::now();
    if (!table.ALock()) {
        std::fprintf(stderr, "append lock refused\n");
        return 1;
    }
    for (long i = 0; i < records; ++i) {
        table.ClearRecord();
        // Names in an order unlike the record order, so the index has work.
        const long key = (i * 7919) % records;
        table.SetField("sentname0", "Recipient " + std::to_string(key));
        table.SetField("sentname1", "123 Main Street");
        table.SetField("sentcity", "Springfield");
        table.SetField("sentstate", "IL");
        table.SetField("sentzip", "62701-1234");
        table.SetField("mailernum", "7100 0000 0000 0000 0000");
        table.SetField("rdate", ShortString("12/31/2005"));
        table.SetField("postage", "   0.39");
        table.SetField("total", "   4.44");
        table.AppendRec();
    }
    table.UnLock();
    const double append = Seconds(start);

    start = Clock::now();
    size_t bytes = 0;
    long seen = 0;
    for (table.First(); !table.Eof(); table.Next()) {
        for (const auto& field : table.Fields()) {
            bytes += table.GetField(field.name).size();
        }
        ++seen;
    }
    const double read = Seconds(start);

    start = Clock::now();
    table.IndexOnOne("sentname0", "name");
    const double index = Seconds(start);

    start = Clock::now();
    long ordered = 0;
    for (table.First(); !table.Eof(); table.Next()) {
        ++ordered;
    }
    const double keyOrder = Seconds(start);
    table.Close();

    std::printf("records                %ld\n", records);
    std::printf("append (one write each) %8.3f s\n", append);
    std::printf("sequential read        %8.3f s  (%ld records, %zu bytes of field text)\n", read,
                seen, bytes);
    std::printf("IndexOnOne(sentname0)  %8.3f s\n", index);
    std::printf("read in key order      %8.3f s  (%ld records)\n", keyOrder, ordered);
    std::filesystem::remove(path);
    std::filesystem::remove(folder / "name.MDX");
    return seen == records && ordered == records ? 0 : 1;
}
