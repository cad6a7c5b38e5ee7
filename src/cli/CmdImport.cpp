#include "CliFailures.h"
#include "Commands.h"
#include "EngineError.h"
#include "NameAddressImport.h"

#include <iostream>
#include <optional>
#include <string>

namespace vell3::cli {

namespace {

using addresses::ImportTarget;

constexpr const char* kUsage = "usage: vell3-cli import TEXTFILE DB [--overwrite | --append]\n";

int Usage() {
    std::cerr << kUsage;
    return kExitUsage;
}

} // namespace

// vell3-cli import TEXTFILE DB [--overwrite | --append]: appends one record
// per line of a name-and-address text file to an address database (created
// when missing) and prints how many records were appended.
int RunImport(CliContext& context) {
    std::vector<std::string> files;
    std::optional<ImportTarget> chosen;
    for (const std::string& arg : context.args) {
        if (arg == "--overwrite" || arg == "--append") {
            if (chosen) {
                return Usage();
            }
            chosen = arg == "--overwrite" ? ImportTarget::Overwrite : ImportTarget::Append;
        } else if (arg.starts_with("--")) {
            return Usage();
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) {
        return Usage();
    }
    const std::string& textFile = files[0];
    const std::string& database = files[1];
    try {
        // An unreadable text file is reported before the database is touched.
        const addresses::NameAddressImport import(textFile);
        ImportTarget target = ImportTarget::Create;
        if (addresses::DatabaseExists(database)) {
            if (!chosen) {
                std::cerr << "The database \"" << database
                          << "\" exists: give --overwrite to replace it or --append to add the "
                             "records to it.\n";
                return kExitUsage;
            }
            target = *chosen;
        }
        const addresses::ImportResult result = import.Into(database, target);
        std::cout << result.appended << '\n';
        return kExitOk;
    } catch (...) {
        return ReportCaughtFailure();
    }
}

} // namespace vell3::cli
