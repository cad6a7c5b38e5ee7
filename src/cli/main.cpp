// vell3-cli: the headless tool over the same settings file, program folder and
// tables as the desktop program.

#include "AppPaths.h"
#include "CliContext.h"
#include "Commands.h"
#include "GlobalOptions.h"
#include "LocaleDates.h"

#include <QGuiApplication>

#include <cstdlib>
#include <iostream>
#include <string_view>
#include <vector>

namespace {

using vell3::cli::CliContext;

struct Subcommand {
    std::string_view name;
    int (*run)(CliContext&);
};

// One subcommand a line.
// clang-format off
constexpr Subcommand kSubcommands[] = {
    {"barcodes", vell3::cli::RunBarcodes},
    {"dbf", vell3::cli::RunDbf},
    {"export", vell3::cli::RunExport},
    {"import", vell3::cli::RunImport},
    {"label", vell3::cli::RunLabel},
    {"log", vell3::cli::RunLog},
    {"massprint", vell3::cli::RunMassPrint},
    {"print", vell3::cli::RunPrint},
    {"report", vell3::cli::RunReport},
    {"settings", vell3::cli::RunSettings},
};
// clang-format on

// The offscreen platform complains about a missing runtime folder it never uses.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR"))) {
        return;
    }
    std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << '\n';
}

// The lines of --help; a subcommand without one is listed by its name.
constexpr vell3::cli::SubcommandSummary kSummaries[] = {
    {"barcodes", "--count N [OPTION]...", "pre-print label bar codes on blank mailers"},
    {"dbf", "info|dump|copy|pack FILE...", "show, copy or pack a dBASE table"},
    {"label", "CUSTID SERIAL", "print the label number of a customer ID and serial"},
    {"log", "clear --save FILE|--no-save", "empty the mailing log, its rows saved or not"},
    {"print", "[OPTION]...", "print one mailer with the next number of the sequence"},
    {"settings", "[--save]", "print the saved settings (and write them back)"},
};

std::vector<std::string_view> SubcommandNames() {
    std::vector<std::string_view> names;
    for (const auto& command : kSubcommands) {
        names.push_back(command.name);
    }
    return names;
}

int Usage() {
    std::cerr << "usage: vell3-cli [--program-folder DIR] [--settings FILE] SUBCOMMAND [ARGS...]\n"
                 "Try 'vell3-cli --help' for more information.\n";
    return vell3::cli::kExitUsage;
}

} // namespace

int main(int argc, char* argv[]) {
    // The tool never shows a window; it needs the GUI layer only for fonts,
    // pictures and painting.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    qInstallMessageHandler(QuietMessages);
    const auto names = SubcommandNames();
    const auto parsed = vell3::cli::ParseGlobalOptions(argc, argv, names, kSummaries);
    if (!parsed.options) {
        return parsed.status;
    }
    // Taken before the application object drops the arguments Qt knows.
    const int i = parsed.options->subcommandIndex;
    const std::string name = argv[i];
    CliContext context;
    context.args.assign(argv + i + 1, argv + argc);
    QGuiApplication app(argc, argv);
    // Dates reach the tables as the user's locale writes them.
    vell3::UseLocaleShortDateFormat();

    const vell3::ProgramFolders folders =
        parsed.options->programFolder ? vell3::SingleProgramFolder(*parsed.options->programFolder)
                                      : vell3::DefaultProgramFolders();
    context.programFolder = folders.shipped;
    context.dataFolder = folders.writable;
    context.settingsFile = parsed.options->settingsFile.value_or(vell3::DefaultSettingsFile());
    for (const auto& command : kSubcommands) {
        if (command.name == name) {
            return command.run(context);
        }
    }
    return Usage();
}
