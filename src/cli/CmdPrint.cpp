#include "AppPaths.h"
#include "CliPrinting.h"
#include "Commands.h"
#include "EngineError.h"
#include "FeeEntry.h"
#include "IntegerText.h"
#include "LogFields.h"
#include "MailerEntry.h"
#include "Pictures.h"
#include "PrintFonts.h"
#include "PrintJob.h"
#include "QPainterPage.h"
#include "SettingsFile.h"
#include "UserError.h"
#include "Zip.h"

#include "AddressText.h"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace vell3::cli {

namespace {

constexpr std::size_t kMaxNameLines = 4;
constexpr int kDefaultDpi = 600;
constexpr int kMinDpi = 72;
constexpr int kMaxDpi = 2400;

constexpr const char* kUsage =
    "usage: vell3-cli print [--pdf FILE] [--dpi N] [--line TEXT]... [--city TEXT] [--state TEXT]\n"
    "                       [--zip TEXT] [--re TEXT] [--comment TEXT] [--postage TEXT]\n"
    "                       [--cert-fee TEXT] [--return TEXT] [--restricted [TEXT]]\n";

struct PrintOptions {
    std::optional<std::string> pdf;
    int dpi = kDefaultDpi;
    std::vector<std::string> lines;
    std::string city;
    std::string state;
    std::string zip = kEmptyZipText;
    std::string re;
    std::string comment;
    mailing::TypedFees fees;
};

std::optional<PrintOptions> ParseOptions(const std::vector<std::string>& args) {
    PrintOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--restricted") {
            options.fees.restricted = true;
            if (hasValue && !args[i + 1].starts_with("--")) {
                options.fees.restrictedFee = args[++i];
            }
            continue;
        }
        if (!hasValue) {
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if (arg == "--pdf") {
            options.pdf = value;
        } else if (arg == "--dpi") {
            const auto dpi = ParseInteger(value);
            if (!dpi || *dpi < kMinDpi || *dpi > kMaxDpi) {
                return std::nullopt;
            }
            options.dpi = *dpi;
        } else if (arg == "--line") {
            if (options.lines.size() == kMaxNameLines) {
                return std::nullopt;
            }
            options.lines.push_back(value);
        } else if (arg == "--city") {
            options.city = value;
        } else if (arg == "--state") {
            options.state = value;
        } else if (arg == "--zip") {
            options.zip = value;
        } else if (arg == "--re") {
            options.re = value;
        } else if (arg == "--comment") {
            options.comment = value;
        } else if (arg == "--postage") {
            options.fees.postage = value;
        } else if (arg == "--cert-fee") {
            options.fees.certFee = value;
        } else if (arg == "--return") {
            options.fees.returnFee = value;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

// The entry as the main window would show it after the same typing: each
// field holds what it admits, the fee fields their money texts.
mailing::MailerEntry EntryOf(const PrintOptions& options, const AppSettings& settings) {
    mailing::MailerEntry entry;
    entry.recipientLines = options.lines;
    entry.city = mailing::CutToField(options.city, mailing::kMaxCityLength);
    entry.state = mailing::CutToField(options.state, mailing::kMaxStateLength);
    entry.zip = options.zip;
    entry.re = mailing::CutToField(options.re, mailing::kMaxReLength);
    entry.comment = mailing::CutToField(options.comment, mailing::kMaxCommentLength);
    entry.restricted = options.fees.restricted;
    const mailing::DisplayedFees fees = mailing::EnterFees(settings, options.fees);
    entry.postage = fees.postage;
    entry.certFee = fees.certFee;
    entry.returnFee = fees.returnFee;
    entry.restrictedFee = fees.restrictedFee;
    entry.total = fees.total;
    return entry;
}

} // namespace

// vell3-cli print [options]: prints one mailer with the next number of the
// sequence and logs it, as the main window's Print command does.
int RunPrint(CliContext& context) {
    const auto options = ParseOptions(context.args);
    if (!options) {
        std::cerr << kUsage;
        return kExitUsage;
    }
    AppSettings settings;
    ApplyProgramFolders(settings, {context.programFolder, context.dataFolder});
    try {
        LoadSettings(settings, context.settingsFile, PictureLoads);
        CreateDataFolders(settings);
        InstallPrintFontSubstitutions();
        mailing::PrintContext print{
            settings, context.settingsFile, LogTableFile(settings), SenderLines(settings), {},
            {},       log::kAppendLockWait};
        // No Mailer Number dialog here: the number shown would be confirmed.
        print.callbacks.error = [](const std::string& message) {
            std::cerr << ForTerminal(message) << '\n';
        };
        // The number goes out as soon as it is on paper, whatever follows.
        print.callbacks.printed = [](const std::string& grouped) {
            std::cout << grouped << std::endl;
        };
        const mailing::MailerEntry entry = EntryOf(*options, settings);
        mailing::PrintResult result;
        if (options->pdf) {
            PdfFilePage page(QString::fromStdString(*options->pdf), options->dpi);
            result = mailing::RunPrintCommand(print, entry, page);
        } else {
            DefaultPrinterPage page("Certified mailer");
            result = mailing::RunPrintCommand(print, entry, page);
        }
        return result.outcome == mailing::PrintOutcome::Printed ? kExitOk : kExitError;
    } catch (const tables::EngineException& error) {
        std::cout.flush();
        std::cerr << error.Error().FullText() << '\n';
        return EngineExitStatus(error.Error().number);
    } catch (const UserError& error) {
        std::cerr << ForTerminal(error.what()) << '\n';
        return kExitError;
    }
}

} // namespace vell3::cli
