// Times the log report on big logs: the short detail of 100,000 mailers into a
// PDF, the preview's first page of the same log (layout and drawing, with the
// process's memory), and the full detail of 10,000 mailers into a PDF.

#include "LogReportRun.h"
#include "ReportOutput.h"
#include "TTzDbf.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/resource.h>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The processor time the process has used (user and system), in seconds: on
// a machine shared with other work it says more than the wall clock.
double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The process's resident memory now and at its peak, in MB (from /proc).
std::pair<double, double> MemoryMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    double rss = 0;
    double peak = 0;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            rss = std::atof(line.c_str() + 6) / 1024;
        } else if (line.rfind("VmHWM:", 0) == 0) {
            peak = std::atof(line.c_str() + 6) / 1024;
        }
    }
    return {rss, peak};
}

void WriteLog(const std::string& path, int rows) {
    vell3::tables::TTzDbf log("BenchLog");
    vell3::report::ConfigureLogTable(log, path);
    log.Open();
    if (!log.ALock()) {
        std::fprintf(stderr, "no append lock on %s\n", path.c_str());
        std::exit(1);
    }
    for (int i = 0; i < rows; ++i) {
        char number[32];
        std::snprintf(number, sizeof number, "7112 3456 78%02d %04d %04d", i % 97,
                      (i * 7919) % 10000, i % 10000);
        log.ClearRecord();
        log.SetField("sentname0", "Recipient " + std::to_string((i * 7919) % rows));
        log.SetField("sentname1", "Attn: Legal Department");
        log.SetField("sentname2", std::to_string(100 + i % 900) + " Main Street");
        log.SetField("city", "Springfield");
        log.SetField("state", "IL");
        log.SetField("zip", std::to_string(10000 + (i * 31) % 89999));
        log.SetField("mailernum", number);
        log.SetField("postage", "      0.69");
        log.SetField("certified", "      4.40");
        log.SetField("restricted", i % 3 == 0 ? "      5.60" : " ");
        log.SetField("return", "      3.55");
        log.SetField("total", i % 3 == 0 ? "     14.24" : "      8.64");
        log.SetField("comments", "Notice of default");
        log.SetField("re", "Lease 12B");
        const vell3::tables::DbfDate date{2020 + i % 6, 1 + i % 12, 1 + i % 28};
        log.SetField("rdate", vell3::tables::ShortString(vell3::tables::FormatShortDate(date)));
        log.AppendRec();
    }
    log.UnLock();
    log.Close();
}

vell3::report::LogReportRequest Request(const std::string& logFile, const char* report,
                                        vell3::report::LogSortKey sort) {
    vell3::report::LogReportRequest request;
    request.logFile = logFile;
    request.projectFile = QStringLiteral(VELL3_BENCH_RAV);
    request.reportName = QString::fromLatin1(report);
    request.sort = sort;
    request.now = QDateTime::currentDateTime();
    return request;
}

void TimePdf(const std::string& logFile, const QString& pdf, const char* report,
             vell3::report::LogSortKey sort, const char* what) {
    const auto start = Clock::now();
    const double cpu = CpuSeconds();
    int pages = 0;
    vell3::report::RunLogReport(Request(logFile, report, sort),
                                [&](vell3::report::ReportRenderer& renderer) {
                                    pages = renderer.PageCount();
                                    if (!vell3::report::WriteReportPdf(renderer, pdf)) {
                                        std::fprintf(stderr, "cannot write %s\n", qPrintable(pdf));
                                    }
                                });
    std::printf("%-48s %7.2f s  (cpu %.2f s; %d pages)\n", what, SecondsSince(start),
                CpuSeconds() - cpu, pages);
}

} // namespace

int main(int argc, char* argv[]) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QGuiApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    QDir().mkpath(folder);
    const std::string bigLog = QDir(folder).filePath(QStringLiteral("big.dbf")).toStdString();
    const std::string smallLog = QDir(folder).filePath(QStringLiteral("small.dbf")).toStdString();

    auto start = Clock::now();
    WriteLog(bigLog, 100000);
    WriteLog(smallLog, 10000);
    std::printf("%-48s %7.2f s\n", "writing the logs (100,000 + 10,000 rows)", SecondsSince(start));

    using vell3::report::LogSortKey;
    // The preview's first page: the run up to the first page on screen at
    // 96 dpi and 100 % zoom.
    start = Clock::now();
    const double cpu = CpuSeconds();
    vell3::report::RunLogReport(
        Request(bigLog, vell3::report::kShortDetailReport, LogSortKey::Name),
        [&](vell3::report::ReportRenderer& renderer) {
            const double layout = SecondsSince(start);
            QImage page(816, 1056, QImage::Format_RGB32);
            page.setDotsPerMeterX(3780); // 96 dpi
            page.setDotsPerMeterY(3780);
            page.fill(Qt::white);
            QPainter painter(&page);
            renderer.DrawPage(0, painter);
            painter.end();
            const auto [rss, peak] = MemoryMb();
            std::printf("%-48s %7.2f s  (cpu %.2f s; layout %.2f s; %d pages; RSS %.0f MB, peak "
                        "%.0f MB)\n",
                        "preview, first page of 100,000 by name", SecondsSince(start),
                        CpuSeconds() - cpu, layout, renderer.PageCount(), rss, peak);
        });

    const QString pdf = QDir(folder).filePath(QStringLiteral("bench.pdf"));
    TimePdf(bigLog, pdf, vell3::report::kShortDetailReport, LogSortKey::None,
            "short detail of 100,000 into PDF");
    TimePdf(bigLog, pdf, vell3::report::kShortDetailReport, LogSortKey::Date,
            "short detail of 100,000 by date into PDF");
    TimePdf(smallLog, pdf, vell3::report::kFullDetailReport, LogSortKey::None,
            "full detail of 10,000 into PDF");
    const auto [rss, peak] = MemoryMb();
    std::printf("%-48s RSS %.0f MB, peak %.0f MB\n", "memory at the end", rss, peak);
    return 0;
}
