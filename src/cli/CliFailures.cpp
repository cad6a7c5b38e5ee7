#include "CliFailures.h"

#include "CliContext.h"
#include "CliPrinting.h"
#include "EngineError.h"

#include <exception>
#include <iostream>

namespace vell3::cli {

int ReportCaughtFailure() {
    // What went to standard output before the failure comes out first.
    std::cout.flush();
    try {
        throw;
    } catch (const tables::EngineException& error) {
        std::cerr << error.Error().FullText() << '\n';
        return error.Error().ExitStatus();
    } catch (const std::exception& error) {
        std::cerr << ForTerminal(error.what()) << '\n';
        return kExitError;
    }
}

} // namespace vell3::cli
