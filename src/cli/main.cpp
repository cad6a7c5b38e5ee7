// vell3-cli: the headless tool over the same settings file, program folder and
// tables as the desktop program.

#include "AppPaths.h"
#include "CliContext.h"
#include "Commands.h"
#include "LocaleDates.h"

#include <QGuiApplication>

#include <cstdlib>
#include <iostream>
#include <string_view>

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

int Usage() {
    std::cerr << "usage: vell3-cli [--program-folder DIR] [--settings FILE] SUBCOMMAND [ARGS...]\n"
                 "subcommands:";
    for (const auto& command : kSubcommands) {
        std::cerr << ' ' << command.name;
    }
    std::cerr << '\n';
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
    QGuiApplication app(argc, argv);
    // Dates reach the tables as the user's locale writes them.
    vell3::UseLocaleShortDateFormat();

    CliContext context;
    context.programFolder = vell3::ExecutableFolder();
    context.settingsFile = vell3::DefaultSettingsFile();
    int i = 1;
    for (; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if ((arg == "--program-folder" || arg == "--settings") && i + 1 < argc) {
            const std::string value = argv[++i];
            if (arg == "--settings") {
                context.settingsFile = value;
            } else {
                context.programFolder = vell3::WithTrailingSeparator(value);
            }
        } else if (arg.starts_with("--")) {
            return Usage();
        } else {
            break;
        }
    }
    if (i >= argc) {
        return Usage();
    }
    const std::string_view name = argv[i];
    context.args.assign(argv + i + 1, argv + argc);
    for (const auto& command : kSubcommands) {
        if (command.name == name) {
            return command.run(context);
        }
    }
    return Usage();
}
