// Times the name-and-address text files: the import of a file of RECORDS
// lines (three name and street lines, city, state, ZIP) into a new address
// database and the export of that database back into a text file, then
// python-dbf appending the same records to a table of the same fields.
// Usage: addresses_bench [FOLDER] [RECORDS]

#include "NameAddressExport.h"
#include "NameAddressImport.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#ifndef VELL3_BENCH_DIR
#error "VELL3_BENCH_DIR must name the folder of the benchmark's scripts"
#endif

namespace {

using namespace vell3::addresses;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// The processor time of this process (user and system), which a machine
// busy with other work inflates less than the wall clock.
double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void WriteTextFile(const std::string& path, long records) {
    std::ofstream out(path, std::ios::binary);
    for (long i = 0; i < records; ++i) {
        const std::string n = std::to_string(i);
        out << "\"Recipient " << n << "\",\"Attn: Accounts Payable\",\"" << n
            << " Main Street, Suite 5\",\"\",\"Springfield\",\"IL\",\"62701-1234\"\r\n";
    }
}

std::string Run(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return {};
    }
    std::array<char, 256> buffer{};
    size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        out.append(buffer.data(), n);
    }
    pclose(pipe);
    return out;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::filesystem::path folder =
        (argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path()) /
        "vell3_addresses_bench";
    const long records = argc > 2 ? std::atol(argv[2]) : 100000;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string text = (folder / "list.csv").string();
    const std::string table = (folder / "list.dbf").string();
    WriteTextFile(text, records);

    auto start = Clock::now();
    double cpu = CpuSeconds();
    const ImportResult imported = NameAddressImport(text).Into(table, ImportTarget::Create);
    const double importSeconds = Seconds(start);
    const double importCpu = CpuSeconds() - cpu;

    start = Clock::now();
    cpu = CpuSeconds();
    const ExportResult exported = NameAddressExport(table).WriteTo((folder / "back.txt").string());
    const double exportSeconds = Seconds(start);
    const double exportCpu = CpuSeconds() - cpu;

    const std::string python = Run("/usr/bin/python3 " VELL3_BENCH_DIR "/dbf_append.py '" + text +
                                   "' '" + (folder / "python.dbf").string() + "'");
    double pythonSeconds = 0;
    double pythonCpu = 0;
    if (std::sscanf(python.c_str(), "%lf %lf", &pythonSeconds, &pythonCpu) != 2) {
        pythonSeconds = 0;
    }

    std::printf("import of %ld lines into a new address database: %.3f s (processor %.3f s), "
                "%llu records\n",
                records, importSeconds, importCpu,
                static_cast<unsigned long long>(imported.appended));
    std::printf("export of it into a text file: %.3f s (processor %.3f s), %llu lines\n",
                exportSeconds, exportCpu, static_cast<unsigned long long>(exported.written));
    if (pythonSeconds > 0) {
        std::printf("python3-dbf appending the same records: %.3f s (processor %.3f s): "
                    "%.1f times the import (processor: %.1f times)\n",
                    pythonSeconds, pythonCpu, pythonSeconds / importSeconds, pythonCpu / importCpu);
    } else {
        std::printf("python3-dbf appending the same records: failed\n");
    }
    std::filesystem::remove_all(folder);
    return imported.appended == static_cast<unsigned long long>(records) &&
                   exported.written == imported.appended
               ? 0
               : 1;
}
