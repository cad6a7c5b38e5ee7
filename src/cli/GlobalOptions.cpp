#include "GlobalOptions.h"

#include "CliContext.h"
#include "ProgramInfo.h"

#include <QCommandLineParser>
#include <QStringList>

#include <algorithm>
#include <iostream>

namespace vell3::cli {

namespace {

constexpr const char* kProgram = "vell3-cli";
constexpr std::size_t kSynopsisColumn = 36;

std::string Pad(std::string text, std::size_t column) {
    if (text.size() + 2 > column) {
        return text + "\n" + std::string(column, ' ');
    }
    text.resize(column, ' ');
    return text;
}

} // namespace

std::string HelpText(std::span<const std::string_view> names,
                     std::span<const SubcommandSummary> summaries) {
    std::string text =
        std::string("Usage: ") + kProgram +
        " [OPTION]... SUBCOMMAND [ARG]...\n"
        "Print USPS certified mailers and keep their mailing log, tables and address files\n"
        "without a window, on the same settings file and folders as the desktop program "
        "vell3.\n"
        "\n"
        "Options:\n"
        "      --program-folder=DIR  use DIR both for the shipped files and for the\n"
        "                              Reports and Addresses folders\n"
        "      --settings=FILE       use FILE as the settings file instead of\n"
        "                              $XDG_CONFIG_HOME/vell3.ini (~/.config/vell3.ini)\n"
        "  -h, --help                display this help and exit\n"
        "      --version             output version information and exit\n"
        "\n"
        "Subcommands (each prints its own usage when its arguments are wrong):\n";
    for (const std::string_view name : names) {
        const auto summary = std::find_if(summaries.begin(), summaries.end(),
                                          [&](const auto& s) { return s.name == name; });
        std::string line = "  ";
        line += name;
        if (summary != summaries.end()) {
            line += ' ';
            line += summary->synopsis;
            line = Pad(line, kSynopsisColumn) + std::string(summary->purpose);
        }
        text += line + "\n";
    }
    text += "\n"
            "Without --program-folder the tool finds its shipped files beside itself or in\n"
            "the installed data folder, and writes the mailing log under\n"
            "$XDG_DATA_HOME/vell3 (~/.local/share/vell3), or in the folder that the key\n"
            "DataFolder of section [System Path] of the settings file names.\n"
            "\n"
            "Results go to standard output. Exit status: 0 when done, 1 on an error, 2 on\n"
            "bad usage, or the table engine's error number (255 above 255).\n";
    return text;
}

GlobalParse ParseGlobalOptions(int argc, char* argv[], std::span<const std::string_view> names,
                               std::span<const SubcommandSummary> summaries) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QCommandLineParser parser;
    // Everything from the subcommand's name on belongs to the subcommand.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version(QStringLiteral("version"), QString());
    const QCommandLineOption programFolder(QStringLiteral("program-folder"), QString(),
                                           QStringLiteral("DIR"));
    const QCommandLineOption settings(QStringLiteral("settings"), QString(),
                                      QStringLiteral("FILE"));
    parser.addOptions({help, version, programFolder, settings});

    const auto usageError = [](const std::string& message) {
        std::cerr << kProgram << ": " << message << "\nTry '" << kProgram
                  << " --help' for more information.\n";
        return GlobalParse{std::nullopt, kExitUsage};
    };
    if (!parser.parse(arguments)) {
        return usageError(parser.errorText().toStdString());
    }
    if (parser.isSet(help)) {
        std::cout << HelpText(names, summaries);
        return {std::nullopt, kExitOk};
    }
    if (parser.isSet(version)) {
        std::cout << VersionText(kProgram);
        return {std::nullopt, kExitOk};
    }
    const int positional = static_cast<int>(parser.positionalArguments().size());
    if (positional == 0) {
        return usageError("missing subcommand");
    }
    GlobalOptions options;
    if (parser.isSet(programFolder)) {
        options.programFolder = parser.value(programFolder).toStdString();
    }
    if (parser.isSet(settings)) {
        options.settingsFile = parser.value(settings).toStdString();
    }
    options.subcommandIndex = argc - positional;
    return {options, kExitOk};
}

} // namespace vell3::cli
