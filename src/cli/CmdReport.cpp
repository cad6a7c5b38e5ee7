#include "AddressText.h"
#include "AppPaths.h"
#include "CliFailures.h"
#include "CliSettings.h"
#include "Commands.h"
#include "EngineError.h"
#include "LogReportRun.h"
#include "Pictures.h"
#include "PrintMessages.h"
#include "ReportOutput.h"
#include "SettingsFile.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <iostream>
#include <optional>
#include <string>

namespace vell3::cli {

namespace {

constexpr const char* kUsage = "usage: vell3-cli report (full|short|firm-book) [--sort "
                               "mailernum|name|date|zip] [--pdf FILE]\n";

struct ReportOptions {
    QString reportName;
    report::LogSortKey sort = report::LogSortKey::None;
    std::optional<std::string> pdf;
};

std::optional<ReportOptions> ParseOptions(const std::vector<std::string>& args) {
    if (args.empty()) {
        return std::nullopt;
    }
    ReportOptions options;
    if (args[0] == "full") {
        options.reportName = QString::fromLatin1(report::kFullDetailReport);
    } else if (args[0] == "short") {
        options.reportName = QString::fromLatin1(report::kShortDetailReport);
    } else if (args[0] == "firm-book") {
        options.reportName = QString::fromLatin1(report::kFirmMailingBookReport);
    } else {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) {
            return std::nullopt;
        }
        const std::string& value = args[i + 1];
        if (args[i] == "--pdf" && !value.empty()) {
            options.pdf = value;
        } else if (args[i] == "--sort") {
            static constexpr std::pair<const char*, report::LogSortKey> kSorts[] = {
                {"mailernum", report::LogSortKey::MailerNumber},
                {"name", report::LogSortKey::Name},
                {"date", report::LogSortKey::Date},
                {"zip", report::LogSortKey::ZipCode},
            };
            const auto* found = std::find_if(std::begin(kSorts), std::end(kSorts),
                                             [&](const auto& sort) { return value == sort.first; });
            if (found == std::end(kSorts)) {
                return std::nullopt;
            }
            options.sort = found->second;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

// A message box's line breaks as a terminal shows them.
std::string ForTerminal(QString message) {
    return message.replace(QLatin1Char('\r'), QLatin1Char('\n')).toStdString();
}

// The pages to the default printer, as the print job "ReportPrinter Report".
void PrintOnDefaultPrinter(report::ReportRenderer& renderer) {
    if (QPrinterInfo::defaultPrinter().isNull()) {
        throw std::runtime_error(kNoDefaultPrinterMessage);
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(QPrinterInfo::defaultPrinter().printerName());
    printer.setFullPage(true);
    printer.setPageLayout(renderer.PageLayout());
    printer.setDocName(QStringLiteral("ReportPrinter Report"));
    if (!report::RenderPages(renderer, printer)) {
        throw std::runtime_error("The report could not be printed.");
    }
}

} // namespace

// vell3-cli report (full|short|firm-book) [--sort KEY] [--pdf FILE]: the log
// report from the report-definition file, as Report > Print runs it.
int RunReport(CliContext& context) {
    const auto options = ParseOptions(context.args);
    if (!options) {
        std::cerr << kUsage;
        return kExitUsage;
    }
    AppSettings settings;
    try {
        LoadCliSettings(settings, context);
        report::LogReportRequest request;
        request.logFile = LogTableFile(settings);
        request.projectFile = QString::fromStdString(ShippedFile(settings, "Vell3.rav"));
        request.reportName = options->reportName;
        request.sort = options->sort;
        request.now = QDateTime::currentDateTime();
        request.parameters = report::SenderParameters(SenderLines(settings));
        int pages = 0;
        bool written = true;
        const auto outcome = report::RunLogReport(request, [&](report::ReportRenderer& renderer) {
            pages = renderer.PageCount();
            if (options->pdf) {
                written = report::WriteReportPdf(renderer, QString::fromStdString(*options->pdf));
            } else {
                PrintOnDefaultPrinter(renderer);
            }
        });
        switch (outcome) {
        case report::LogReportOutcome::Empty:
            std::cerr << report::kReportEmptyMessage << '\n';
            return kExitError;
        case report::LogReportOutcome::NoReport:
            std::cerr << "The report definition file \"" << request.projectFile.toStdString()
                      << "\" holds no report \"" << request.reportName.toStdString() << "\".\n";
            return kExitError;
        case report::LogReportOutcome::Done:
            break;
        }
        if (!written) {
            std::cerr << "Cannot write the file \"" << *options->pdf << "\".\n";
            return kExitError;
        }
        std::cout << pages << (pages == 1 ? " page\n" : " pages\n");
        return kExitOk;
    } catch (const report::ReportDefinitionError& error) {
        std::cerr << ForTerminal(error.Text()) << '\n';
        return kExitError;
    } catch (...) {
        return ReportCaughtFailure();
    }
}

} // namespace vell3::cli
