#include "MailingCommands.h"

#include "CmdClearLog.h"
#include "CmdPrint.h"
#include "CmdPrintBarCodes.h"
#include "EntryOfWindow.h"
#include "MainMenu.h"
#include "U_Main.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>

namespace vell3 {

namespace {

void PrintFromWindow(TF_Main& window) {
    const std::unique_ptr<PrintPage> page = window.NewPrintPage();
    RunPrintCommandOfWindow(window.Settings(), window.UserPrompts(), &window,
                            {window.SettingsFile(), window.ReportTableFile()},
                            EntryOfWindow(window), SenderLinesOfWindow(window), *page,
                            [&window] { window.MarkEntryPrinted(); });
}

// Where the save dialog of Report > Clear starts: the address folder, else the
// "Addresses" folder beside the log's "Reports".
QString SaveFolderOf(TF_Main& window) {
    const std::string& folder = window.Settings().AddressFolder;
    if (!folder.empty()) {
        return QString::fromStdString(folder);
    }
    QDir reports = QFileInfo(QString::fromStdString(window.ReportTableFile())).absoluteDir();
    return QDir::cleanPath(reports.filePath(QStringLiteral("../Addresses")));
}

} // namespace

void ConnectMailingCommands(TF_Main& window) {
    TF_Main* w = &window;
    WireMenuAction(w, "MIPrint", [w] { PrintFromWindow(*w); });
    auto* button = w->findChild<QPushButton*>(QStringLiteral("btnPrint"));
    QObject::connect(button, &QPushButton::clicked, w, [w] { PrintFromWindow(*w); });
    WireMenuAction(w, "MIPrintBarCodes", [w] {
        RunPrintBarCodesCommand(w->Settings(), w->UserPrompts(), w, w->SettingsFile(),
                                [w]() -> std::shared_ptr<PrintPage> { return w->NewPrintPage(); });
    });
    WireMenuAction(w, "ClearReport1", [w] {
        RunClearLogCommand(w->UserPrompts(), w, w->ReportTableFile(), SaveFolderOf(*w));
    });
}

} // namespace vell3
