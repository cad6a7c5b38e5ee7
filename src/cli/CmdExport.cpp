#include "CliFailures.h"
#include "Commands.h"
#include "EngineError.h"
#include "NameAddressExport.h"

#include <iostream>
#include <string>

namespace vell3::cli {

// vell3-cli export DB TEXTFILE: writes an address database out as a
// name-and-address text file (replacing one that exists) and prints how many
// records were written.
int RunExport(CliContext& context) {
    const auto& args = context.args;
    if (args.size() != 2 || args[0].starts_with("--") || args[1].starts_with("--")) {
        std::cerr << "usage: vell3-cli export DB TEXTFILE\n";
        return kExitUsage;
    }
    try {
        addresses::NameAddressExport run(args[0]);
        const addresses::ExportResult result = run.WriteTo(args[1]);
        std::cout << result.written << '\n';
        return kExitOk;
    } catch (...) {
        return ReportCaughtFailure();
    }
}

} // namespace vell3::cli
