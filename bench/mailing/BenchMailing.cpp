// Times 1,000 mailers through the Print command's job into one PDF at 600 dpi:
// each steps the sequence, keeps it in the settings file, checks the log,
// draws its page and appends its log row. The same pages without the job's
// files are timed first for comparison.

#include "AddressText.h"
#include "LogTable.h"
#include "MailerSequence.h"
#include "PdfRunPage.h"
#include "PrintFonts.h"
#include "PrintJob.h"
#include "SettingsFile.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr int kMailers = 1000;
constexpr int kDpi = 600;

vell3::mailing::MailerEntry SampleEntry(int i) {
    vell3::mailing::MailerEntry entry;
    entry.recipientLines = {"John Smith " + std::to_string(i), "4 Elm Road"};
    entry.city = "Boston";
    entry.state = "MA";
    entry.zip = "02134-5678";
    entry.re = "Lease 12B";
    entry.comment = "First notice";
    entry.restricted = true;
    entry.postage = "      0.39";
    entry.certFee = "      2.40";
    entry.returnFee = "      1.85";
    entry.restrictedFee = "      3.50";
    entry.total = "      8.14";
    return entry;
}

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char* argv[]) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QGuiApplication app(argc, argv);
    vell3::InstallPrintFontSubstitutions();
    QTemporaryDir temporary;
    const std::string folder = argc > 1 ? std::string(argv[1]) : temporary.path().toStdString();
    std::filesystem::create_directories(folder);

    vell3::AppSettings settings;
    settings.ProgramFolder = folder + "/";
    settings.CustID = "12-345-6789";
    settings.ShowMailerBeforePrint = false;
    const std::string settingsFile = folder + "/vell3.ini";
    const std::string logPath = folder + "/Reports/report3.dbf";
    std::filesystem::remove(logPath);
    vell3::SaveSettings(settings, settingsFile);

    // The pages alone.
    const QString plainPdf = QString::fromStdString(folder + "/pages-only.pdf");
    auto start = std::chrono::steady_clock::now();
    {
        vell3::mailing::PdfRunPage page(plainPdf, kDpi);
        vell3::AppSettings numbered = settings;
        for (int i = 0; i < kMailers; ++i) {
            numbered.SerialNum = vell3::StepSerial(numbered.SerialNum, +1);
            vell3::PrintMailerForm(page,
                                   vell3::mailing::FillMailerFormValues(
                                       SampleEntry(i), numbered, vell3::SenderLines(numbered)),
                                   true, {});
        }
        page.Finish();
    }
    const double pagesOnly = Seconds(start);

    // The whole job, logging every mailer.
    const QString pdf = QString::fromStdString(folder + "/mailers.pdf");
    vell3::mailing::PrintContext context{settings,
                                         settingsFile,
                                         logPath,
                                         vell3::SenderLines(settings),
                                         {},
                                         {},
                                         vell3::log::kAppendLockWait};
    int printed = 0;
    start = std::chrono::steady_clock::now();
    {
        vell3::mailing::PdfRunPage page(pdf, kDpi);
        for (int i = 0; i < kMailers; ++i) {
            const auto result = vell3::mailing::RunPrintCommand(context, SampleEntry(i), page);
            printed += result.outcome == vell3::mailing::PrintOutcome::Printed ? 1 : 0;
        }
        page.Finish();
    }
    const double withLog = Seconds(start);

    // Where the job's extra time goes: the sequence kept, the rows appended.
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < kMailers; ++i) {
        vell3::SaveSettings(settings, settingsFile);
    }
    const double saves = Seconds(start);
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < kMailers; ++i) {
        vell3::log::OpenLogForPrinting(logPath);
        vell3::log::AppendLogRecord(
            logPath, vell3::mailing::MakeLogRecord(SampleEntry(i), "7112 3456 7890 0000 0423",
                                                   vell3::mailing::Today()));
    }
    const double appends = Seconds(start);

    std::printf("%d mailers at %d dpi into one PDF\n", kMailers, kDpi);
    std::printf("  pages only:                    %.2f s (%.2f ms a mailer)\n", pagesOnly,
                pagesOnly * 1000.0 / kMailers);
    std::printf("  Print job with settings + log: %.2f s (%.2f ms a mailer), %d logged, %.1f MB\n",
                withLog, withLog * 1000.0 / kMailers, printed,
                static_cast<double>(QFileInfo(pdf).size()) / (1024.0 * 1024.0));
    std::printf("  logging and keeping the sequence add %.2f ms a mailer\n",
                (withLog - pagesOnly) * 1000.0 / kMailers);
    std::printf("  of which: settings file kept %.2f ms, log checked and row appended %.2f ms\n",
                saves * 1000.0 / kMailers, appends * 1000.0 / kMailers);
    return printed == kMailers ? 0 : 1;
}
