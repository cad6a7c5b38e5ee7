#pragma once

class QPrinter;
class QWidget;

namespace vell3 {
class Prompts;
}

namespace vell3::report {

class ReportRenderer;

inline constexpr const char* kReportPrintJobName = "ReportPrinter Report";

// Prints a laid-out report on the run's printer: first "Output Options"
// (the printer the only destination), then the pages with the "Report
// Status" window showing "Printing page <n>", which can cancel the job. The
// printer's page and origin settings are put back afterwards, so the mailer
// prints that share the printer see no change. True when every page went out.
bool PrintReport(QWidget* parent, Prompts& prompts, QPrinter& printer, ReportRenderer& renderer);

} // namespace vell3::report
