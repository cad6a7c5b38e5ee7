#include "LogReportRun.h"

#include "TTzDbf.h"
#include "TableRowSource.h"

#include <QLocale>
#include <QRegularExpression>

namespace vell3::report {

const std::vector<LogSortItem>& LogSortItems() {
    static const std::vector<LogSortItem> kItems = {
        {LogSortKey::MailerNumber, "MIByMailerNumber", "mailernum", "mailernum"},
        {LogSortKey::Name, "MIByName", "sentname0", "name"},
        {LogSortKey::Date, "MIByDate", "rdate", "rdate"},
        {LogSortKey::ZipCode, "MIByZipCode", "zip", "zip"},
    };
    return kItems;
}

void ApplyLogOrder(tables::TTzDbf& log, LogSortKey key) {
    for (const LogSortItem& item : LogSortItems()) {
        if (item.key == key) {
            log.IndexOnOne(item.expression, item.indexFile);
            return;
        }
    }
}

QString MyTimeText(const QDateTime& now, const QLocale& locale) {
    const QDate date = now.date();
    QString text =
        QStringLiteral("Date Printed: ") +
        QString::fromStdString(tables::FormatShortDate({date.year(), date.month(), date.day()}));
    const QTime time = now.time();
    if (time.hour() != 0 || time.minute() != 0 || time.second() != 0) {
        // The locale's long time without the time zone the long form may
        // carry: hours, minutes and seconds as the desktop shows them.
        QString format = locale.timeFormat(QLocale::LongFormat);
        format.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b")));
        text += QLatin1Char(' ') + locale.toString(time, format.trimmed());
    }
    return text;
}

ReportParameters SenderParameters(const std::array<std::string, 5>& senderLines) {
    ReportParameters parameters;
    for (std::size_t i = 0; i < senderLines.size(); ++i) {
        parameters.insert(QStringLiteral("SenderLine%1").arg(i + 1),
                          QString::fromStdString(senderLines[i]));
    }
    return parameters;
}

namespace {

// Closes the log however the run ends.
struct TableGuard {
    tables::TTzDbf& table;
    ~TableGuard() {
        try {
            table.Close();
        } catch (...) {
            // An engine error on close has been reported already.
        }
    }
};

} // namespace

LogReportOutcome RunLogReport(const LogReportRequest& request,
                              const std::function<void(ReportRenderer&)>& output) {
    tables::TTzDbf log("TzDbfReport");
    ConfigureLogTable(log, request.logFile);
    log.Open();
    const TableGuard guard{log};
    if (log.RecCount() == 0) {
        return LogReportOutcome::Empty;
    }
    ApplyLogOrder(log, request.sort);
    const ReportProject project = ReportProject::Load(request.projectFile);
    ReportParameters parameters = request.parameters;
    parameters.insert(QStringLiteral("MyTime"), MyTimeText(request.now));
    const ReportDefinition* definition = project.Find(request.reportName);
    if (definition == nullptr) {
        return LogReportOutcome::NoReport;
    }
    TableRowSource rows(log);
    ReportRenderer renderer(*definition, rows, parameters, request.projectFile);
    output(renderer);
    return LogReportOutcome::Done;
}

} // namespace vell3::report
