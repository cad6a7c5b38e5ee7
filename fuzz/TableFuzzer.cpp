// libFuzzer target: a table with its memo and index file from fuzzed bytes,
// opened, read in record and key order, appended to and packed. Every damage
// must end in an engine error, never in a crash, a hang or a read outside a
// file.

#include "DatasetError.h"
#include "EngineError.h"
#include "FuzzInput.h"
#include "MemoFile.h"
#include "TTzDbf.h"
#include "Warnings.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using namespace vell3::tables;

constexpr int kMaxVisits = 300;

// A fresh folder for every input, removed afterwards; memory-backed when the
// system has it, since every input writes four files.
std::string MakeFolder() {
    std::string pattern = std::filesystem::exists("/dev/shm") ? "/dev/shm/vell3-fuzz-XXXXXX"
                                                              : "/tmp/vell3-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    return pattern;
}

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void ReadAll(TTzDbf& table) {
    std::vector<std::string> lines;
    int visits = 0;
    for (table.First(); !table.Eof() && visits < kMaxVisits; table.Next(), ++visits) {
        (void)table.Deleted();
        for (const auto& field : table.Fields()) {
            try {
                (void)table.GetField(field.name);
                (void)table.FieldAsString(field.name);
                if (field.type == 'M') {
                    table.GetMField(field.name, lines);
                }
            } catch (const DatasetError&) {
            }
        }
    }
}

void Exercise(const std::string& base) {
    TTzDbf table("TzFuzz");
    table.SetCreateIfNotFound(false);
    table.SetExclusive(true);
    table.SetDbfFileName(base + ".dbf");
    table.Open();
    ReadAll(table);
    try {
        table.SetIndexTo(base + ".mdx");
        ReadAll(table);
    } catch (const EngineException&) {
    }
    if (table.ALock()) {
        table.ClearRecord();
        for (const auto& field : table.Fields()) {
            if (field.type == 'M') {
                table.SetMField(field.name, {"fuzz", std::string(600, 'm')});
            } else if (field.type == 'C') {
                table.SetField(field.name, "x");
            }
        }
        table.AppendRec();
        table.UnLock();
    }
    // The data-aware memo edit (runs reused in place, freed, taken from the
    // free chain) and an index built on the first text or date field.
    try {
        table.First();
        if (!table.Eof()) {
            table.Edit();
            for (const auto& field : table.Fields()) {
                if (field.type == 'M') {
                    table.SetFieldAsMemoText(field.name, std::string(700, 'e'));
                    table.SetFieldAsMemoText(field.name, "short");
                }
            }
            table.Post();
            table.Insert();
            for (const auto& field : table.Fields()) {
                if (field.type == 'M') {
                    table.SetFieldAsMemoText(field.name, "inserted");
                }
            }
            table.Post();
        }
    } catch (const EngineException&) {
    } catch (const DatasetError&) {
    }
    try {
        for (const auto& field : table.Fields()) {
            if (field.type == 'C' || field.type == 'D') {
                table.IndexOnOne(field.name, "key");
                ReadAll(table);
                break;
            }
        }
    } catch (const EngineException&) {
    }
    table.Go(1);
    table.DeleteRec();
    table.Pack();
    ReadAll(table);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = [] {
        SetWarningHook([](const std::string&) {});
        SetFlushMemoWrites(false);
        return true;
    }();
    (void)quiet;
    const auto files = vell3::tables::fuzz::SplitInput(data, size);
    const std::string folder = MakeFolder();
    const std::string base = folder + "/t";
    Write(base + ".dbf", files.table);
    Write(base + ".dbt", files.memo);
    Write(base + ".fpt", files.memo);
    Write(base + ".mdx", files.index);
    try {
        Exercise(base);
    } catch (const EngineException&) {
    } catch (const DatasetError&) {
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
