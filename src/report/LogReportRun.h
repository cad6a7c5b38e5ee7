#pragma once

#include "LogTable.h"

#include "ReportDefinition.h"
#include "ReportRenderer.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace vell3::tables {
class TTzDbf;
}

namespace vell3::report {

// The orders of Report > Sort: none (record order, the order of printing) or
// one of the four keys.
enum class LogSortKey { None, MailerNumber, Name, Date, ZipCode };

struct LogSortItem {
    LogSortKey key;
    const char* menuItem;   // the radio item's object name
    const char* expression; // the IndexOnOne key
    const char* indexFile;  // the index file beside the log
};

// The four sort items in the order ApplyLogOrder looks at them.
const std::vector<LogSortItem>& LogSortItems();

// The report names of the menu's commands.
inline constexpr const char* kFullDetailReport = "FullDetail";
inline constexpr const char* kShortDetailReport = "ShortDetail";
inline constexpr const char* kFirmMailingBookReport = "FirmMailingBook";

inline constexpr const char* kReportEmptyMessage = "Report is empty.";

using log::ConfigureLogTable;

// Builds the index of the chosen order on the open log and makes it current;
// record order stays for None.
void ApplyLogOrder(tables::TTzDbf& log, LogSortKey key);

// The sender's five lines as the parameters "SenderLine1" .. "SenderLine5".
ReportParameters SenderParameters(const std::array<std::string, 5>& senderLines);

// "Date Printed: " with the short date and the long time; the time is left
// out at midnight exactly.
QString MyTimeText(const QDateTime& now, const QLocale& locale = QLocale::system());

struct LogReportRequest {
    std::string logFile;
    QString projectFile;
    QString reportName;
    LogSortKey sort = LogSortKey::None;
    QDateTime now;
    // Further texts the reports may show (the sender's lines), besides "MyTime".
    ReportParameters parameters;
};

enum class LogReportOutcome {
    Done,     // the report was handed to the output
    Empty,    // the log holds no rows: "Report is empty."
    NoReport, // the definition file holds no report of that name: nothing shown
};

// One report run over the mailing log: opens the log, refuses an empty one,
// orders it, loads the definition file, sets "MyTime", lays the named report
// out and hands it to output; the log is closed however the run ends.
// Throws ReportDefinitionError for a missing or damaged definition file (the
// log closed, nothing output); engine errors travel as EngineException.
LogReportOutcome RunLogReport(const LogReportRequest& request,
                              const std::function<void(ReportRenderer&)>& output);

} // namespace vell3::report
