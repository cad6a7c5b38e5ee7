#include "AppPaths.h"
#include "BarCodeJob.h"
#include "CliPrinting.h"
#include "CliSettings.h"
#include "Commands.h"
#include "IntegerText.h"
#include "MailerSequence.h"
#include "PdfRunPage.h"
#include "Pictures.h"
#include "PrintFonts.h"
#include "QPainterPage.h"
#include "SettingsFile.h"
#include "UserError.h"

#include <iostream>
#include <optional>
#include <string>

namespace vell3::cli {

namespace {

constexpr int kDefaultDpi = 600;
constexpr int kMinDpi = 72;
constexpr int kMaxDpi = 2400;
constexpr std::size_t kSerialWidth = 8;

constexpr const char* kUsage =
    "usage: vell3-cli barcodes --count N [--serial S] [--pdf FILE] [--dpi N]\n";

struct BarcodeOptions {
    std::optional<std::string> count;
    std::optional<std::string> serial;
    std::optional<std::string> pdf;
    int dpi = kDefaultDpi;
};

bool IsSerial(const std::string& text) {
    return text.size() == kSerialWidth && text.find_first_not_of("0123456789") == std::string::npos;
}

std::optional<BarcodeOptions> ParseOptions(const std::vector<std::string>& args) {
    BarcodeOptions options;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) {
            return std::nullopt;
        }
        const std::string& arg = args[i];
        const std::string& value = args[i + 1];
        if (arg == "--count") {
            options.count = value;
        } else if (arg == "--serial") {
            if (!IsSerial(value)) {
                return std::nullopt;
            }
            options.serial = value;
        } else if (arg == "--pdf") {
            options.pdf = value;
        } else if (arg == "--dpi") {
            const auto dpi = ParseInteger(value);
            if (!dpi || *dpi < kMinDpi || *dpi > kMaxDpi) {
                return std::nullopt;
            }
            options.dpi = *dpi;
        } else {
            return std::nullopt;
        }
    }
    if (!options.count) {
        return std::nullopt;
    }
    return options;
}

} // namespace

// vell3-cli barcodes --count N [--serial S] [--pdf FILE] [--dpi N]: pre-prints
// label barcodes from the settings' customer ID, one page per label, as the
// Print Bar Codes command does once its dialog is confirmed.
int RunBarcodes(CliContext& context) {
    const auto options = ParseOptions(context.args);
    if (!options) {
        std::cerr << kUsage;
        return kExitUsage;
    }
    AppSettings settings;
    try {
        LoadCliSettings(settings, context);
        InstallPrintFontSubstitutions();
        const SequenceSnapshot saved = SequenceSnapshot::Of(settings);
        settings.SerialNum = options->serial.value_or(StepSerial(settings.SerialNum, +1));

        bool failed = false;
        mailing::JobCallbacks callbacks;
        callbacks.error = [&failed](const std::string& message) {
            failed = true;
            std::cerr << ForTerminal(message) << '\n';
        };
        callbacks.labelPrinted = [](const std::string& serial) { std::cout << serial << '\n'; };

        mailing::BarCodeRunResult result;
        if (options->pdf) {
            // Every label's page goes into the one PDF file.
            mailing::PdfRunPage pdf(QString::fromStdString(*options->pdf), options->dpi);
            // The run's pages are borrowed from the one document, not owned.
            const std::shared_ptr<PrintPage> page(std::shared_ptr<PrintPage>{}, &pdf);
            result = mailing::RunPrintBarCodes(
                settings, saved, *options->count, context.settingsFile, [&page] { return page; },
                callbacks);
            pdf.Finish();
        } else {
            result = mailing::RunPrintBarCodes(
                settings, saved, *options->count, context.settingsFile,
                [] { return std::make_shared<DefaultPrinterPage>("Bar code label"); }, callbacks);
        }
        return failed || result.stopped ? kExitError : kExitOk;
    } catch (const UserError& error) {
        std::cerr << ForTerminal(error.what()) << '\n';
        return kExitError;
    }
}

} // namespace vell3::cli
