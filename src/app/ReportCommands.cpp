#include "ReportCommands.h"

#include "AddressText.h"
#include "EngineError.h"
#include "Prompts.h"
#include "ReportPrinting.h"
#include "U_Main.h"
#include "U_ReportPreview.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>

namespace vell3 {

namespace {

constexpr const char* kFirmMailingBookCaption = "Firm Mailing Book (PS Form 3877)";

// The wait cursor while the log is ordered and laid out; gone before any
// window or box shows.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { Restore(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    void Restore() {
        if (on_) {
            on_ = false;
            QGuiApplication::restoreOverrideCursor();
        }
    }

private:
    bool on_ = true;
};

ReportCommandSetup SetupOf(TF_Main& window) {
    ReportCommandSetup setup;
    setup.parent = &window;
    setup.prompts = &window.UserPrompts();
    setup.printer = &window.Printer();
    setup.logFile = window.ReportTableFile();
    setup.projectFile = QString::fromStdString(window.ReportProjectFile());
    setup.sort = CheckedLogOrder(window);
    setup.parameters = report::SenderParameters(SenderLines(window.Settings()));
    return setup;
}

} // namespace

void RunLogReportCommand(const ReportCommandSetup& setup, ReportDestination destination,
                         const QString& reportName) {
    report::LogReportRequest request;
    request.logFile = setup.logFile;
    request.projectFile = setup.projectFile;
    request.reportName = reportName;
    request.sort = setup.sort;
    request.now = QDateTime::currentDateTime();
    request.parameters = setup.parameters;
    WaitCursor cursor;
    try {
        const auto outcome = report::RunLogReport(request, [&](report::ReportRenderer& renderer) {
            cursor.Restore();
            if (destination == ReportDestination::Printer) {
                report::PrintReport(setup.parent, *setup.prompts, *setup.printer, renderer);
            } else {
                report::TF_ReportPreview preview(renderer, *setup.prompts, *setup.printer,
                                                 setup.parent);
                preview.exec();
            }
        });
        cursor.Restore();
        if (outcome == report::LogReportOutcome::Empty) {
            setup.prompts->Error(setup.parent, QString::fromLatin1(report::kReportEmptyMessage));
        }
    } catch (const report::ReportDefinitionError& error) {
        cursor.Restore();
        setup.prompts->Error(setup.parent, error.Text());
    } catch (const tables::EngineException&) {
        // Reported by the engine's hook already; the run is over.
    }
}

report::LogSortKey CheckedLogOrder(const QWidget& window) {
    for (const report::LogSortItem& item : report::LogSortItems()) {
        const auto* action = window.findChild<QAction*>(QString::fromLatin1(item.menuItem));
        if (action != nullptr && action->isChecked()) {
            return item.key;
        }
    }
    return report::LogSortKey::None;
}

void ConnectReportCommands(TF_Main& window) {
    struct Command {
        const char* menu;    // the submenu, for the items added here
        const char* name;    // the action
        const char* caption; // nullptr: the item is already in the menu
        ReportDestination destination;
        const char* report;
    };
    static constexpr Command kCommands[] = {
        {"PrintReport1", "miPrintFull", nullptr, ReportDestination::Printer,
         report::kFullDetailReport},
        {"PrintReport1", "miPrintShort", nullptr, ReportDestination::Printer,
         report::kShortDetailReport},
        {"PrintReport1", "miPrintFirmBook", kFirmMailingBookCaption, ReportDestination::Printer,
         report::kFirmMailingBookReport},
        {"PreviewReport1", "miPreviewFull", nullptr, ReportDestination::Preview,
         report::kFullDetailReport},
        {"PreviewReport1", "miPreviewShort", nullptr, ReportDestination::Preview,
         report::kShortDetailReport},
        {"PreviewReport1", "miPreviewFirmBook", kFirmMailingBookCaption, ReportDestination::Preview,
         report::kFirmMailingBookReport},
    };
    for (const Command& command : kCommands) {
        QAction* action = nullptr;
        if (command.caption != nullptr) {
            auto* menu = window.findChild<QMenu*>(QString::fromLatin1(command.menu));
            if (menu == nullptr) {
                continue;
            }
            action = menu->addAction(QString::fromLatin1(command.caption));
            action->setObjectName(QString::fromLatin1(command.name));
        } else {
            action = window.findChild<QAction*>(QString::fromLatin1(command.name));
        }
        if (action == nullptr) {
            continue;
        }
        action->setEnabled(true);
        const ReportDestination destination = command.destination;
        const QString report = QString::fromLatin1(command.report);
        QObject::connect(action, &QAction::triggered, &window, [&window, destination, report] {
            RunLogReportCommand(SetupOf(window), destination, report);
        });
    }
}

} // namespace vell3
