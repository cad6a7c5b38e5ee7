#pragma once

#include "LogReportRun.h"

#include <QString>

#include <functional>
#include <string>

class QPrinter;
class QWidget;

namespace vell3 {

class Prompts;
class TF_Main;

enum class ReportDestination { Preview, Printer };

// What a report run from the window needs.
struct ReportCommandSetup {
    QWidget* parent = nullptr;
    Prompts* prompts = nullptr;
    QPrinter* printer = nullptr;
    std::string logFile;
    QString projectFile;
    report::LogSortKey sort = report::LogSortKey::None;
    report::ReportParameters parameters; // the sender's lines
};

// RunLogReport from the window: "Report is empty." on an empty log, an error
// box for a missing or damaged definition file, nothing for a report the file
// does not hold; else the print with its "Output Options" or the modal preview.
void RunLogReportCommand(const ReportCommandSetup& setup, ReportDestination destination,
                         const QString& reportName);

// The order checked under Report > Sort (the first checked of the four in
// menu order), None when none is.
report::LogSortKey CheckedLogOrder(const QWidget& window);

// Enables and connects Report > Print and Report > Preview with their full
// detail, short detail and firm mailing book items (the last added here).
void ConnectReportCommands(TF_Main& window);

} // namespace vell3
