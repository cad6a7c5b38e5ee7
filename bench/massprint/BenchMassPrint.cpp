// Times `vell3-cli massprint` over an address database of 1,000 records into
// one PDF at 600 dpi, each mailer stepping the sequence, keeping it in the
// settings file and appending its log row, as an office would run it.

#include "AddressTable.h"
#include "AppSettings.h"
#include "SettingsFile.h"
#include "TTzDbf.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr int kRecords = 1000;

void MakeDatabase(const std::string& path) {
    vell3::tables::TTzDbf table("TzDbfAddress");
    vell3::addresses::ConfigureAddressTable(table);
    table.SetDbfFileName(path);
    table.Open();
    for (int i = 0; i < kRecords; ++i) {
        table.ClearRecord();
        table.SetMField("address", {"Recipient " + std::to_string(i + 1), "4 Elm Road",
                                    "Suite " + std::to_string(i % 50)});
        table.SetField("city", "Boston");
        table.SetField("state", "MA");
        table.SetField("zip", "02134-5678");
        if (!table.ALock()) {
            std::fprintf(stderr, "append lock refused\n");
            std::exit(1);
        }
        table.AppendRec();
        table.UnLock();
    }
    table.Close();
}

} // namespace

int main(int argc, char* argv[]) {
    const std::string folder = argc > 1 ? std::string(argv[1])
                                        : (std::filesystem::temp_directory_path() /
                                           ("bench_massprint_" + std::to_string(::getpid())))
                                              .string();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);

    vell3::AppSettings settings;
    settings.CustID = "12-345-6789";
    settings.YourLine1 = "Ambervale Supply Co";
    settings.YourCity = "Portland";
    settings.YourState = "OR";
    settings.YourZip = "97201";
    const std::string settingsFile = folder + "/vell3.ini";
    vell3::SaveSettings(settings, settingsFile);
    const std::string database = folder + "/recipients.dbf";
    MakeDatabase(database);

    const std::string pdf = folder + "/mailers.pdf";
    const std::string command = std::string("QT_QPA_PLATFORM=offscreen '") + VELL3_CLI_PATH +
                                "' --program-folder '" + folder + "' --settings '" + settingsFile +
                                "' massprint '" + database + "' --pdf '" + pdf +
                                "' --re 'Lease 12B' > /dev/null";
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (status != 0) {
        std::fprintf(stderr, "vell3-cli massprint failed with status %d\n", status);
        return 1;
    }

    vell3::tables::TTzDbf log("Log");
    log.SetDbfFileName(folder + "/Reports/report3.dbf");
    log.SetCreateIfNotFound(false);
    log.Open();
    const auto rows = log.RecCount();
    log.Close();

    std::printf("vell3-cli massprint: %d records into one PDF (600 dpi) with logging: %.2f s "
                "(%.1f ms a mailer), %u log rows, PDF %.1f MB (aim: under 5 s)\n",
                kRecords, seconds, seconds * 1000.0 / kRecords, rows,
                static_cast<double>(std::filesystem::file_size(pdf)) / (1024.0 * 1024.0));
    if (argc <= 1) {
        std::filesystem::remove_all(folder);
    }
    return rows == kRecords ? 0 : 1;
}
