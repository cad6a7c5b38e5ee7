// Writes the fuzzer's seed corpus: valid tables of each kind with memos and
// an index, each joined into one fuzz input.

#include "FuzzInput.h"
#include "TTzDbf.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

using namespace vell3::tables;

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void Save(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "usage: make-seeds FOLDER\n";
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);
    const std::filesystem::path work = out / "work";
    std::filesystem::create_directories(work);
    const std::vector<std::vector<std::string>> layouts = {
        {"name,C,12,0", "notes,M,10,0", "when,D,8,0", "amount,N,8,2", "ok,L,1,0"},
        {"name,C,12,0", "when,D,8,0"},
        {"address,M,10,0", "city,C,20,0", "state,C,4,0", "zip,C,10,0"},
    };
    int n = 0;
    for (const auto& fields : layouts) {
        const std::string base = (work / ("seed" + std::to_string(n))).string();
        {
            TTzDbf table;
            table.SetDbfFields(fields);
            table.SetDbfFileName(base + ".dbf");
            table.SetExclusive(true);
            table.Open();
            table.ALock();
            for (int i = 0; i < 4; ++i) {
                table.ClearRecord();
                table.SetField(table.Fields()[0].type == 'M' ? table.Fields()[1].name
                                                             : table.Fields()[0].name,
                               "value" + std::to_string(3 - i));
                for (const auto& field : table.Fields()) {
                    if (field.type == 'M') {
                        table.SetMField(field.name, {"line a", "line " + std::to_string(i)});
                    }
                }
                table.AppendRec();
            }
            table.First();
            table.DeleteRec();
            const auto& key = table.Fields()[0].type == 'M' ? table.Fields()[1] : table.Fields()[0];
            table.IndexOnOne(key.name, base + ".mdx");
        }
        fuzz::FuzzFiles files;
        files.table = Read(base + ".dbf");
        files.memo = Read(base + ".dbt");
        files.index = Read(base + ".mdx");
        Save((out / ("seed" + std::to_string(n))).string(), fuzz::JoinInput(files));
        if (files.table[0] == '\x8B') {
            // The same files read as dBASE III and as FoxPro tables.
            for (const char version : {'\x83', '\xF5'}) {
                fuzz::FuzzFiles variant = files;
                variant.table[0] = version;
                Save((out / ("seed" + std::to_string(n) + "-" +
                             std::to_string(static_cast<unsigned char>(version))))
                         .string(),
                     fuzz::JoinInput(variant));
            }
        }
        ++n;
    }
    std::filesystem::remove_all(work);
    return 0;
}
