#include "MassPrintCommand.h"

#include "AddressDatabaseMode.h"
#include "DSAddress.h"
#include "DatasetError.h"
#include "EngineError.h"
#include "EntryOfWindow.h"
#include "MassPrint.h"
#include "PrintJob.h"
#include "Prompts.h"
#include "QPainterPage.h"
#include "TTzDbf.h"
#include "U_Mailer.h"
#include "U_Main.h"

#include <QAction>
#include <QApplication>
#include <QProgressDialog>

namespace vell3 {

namespace {

// The hourglass for as long as the run prints.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

MassPrintCommand::MassPrintCommand(TF_Main& main, AddressDatabaseMode& mode)
    : main_(main), mode_(mode) {}

void MassPrintCommand::Run() {
    if (!mode_.InDatabaseMode() || !mode_.Table().Active()) {
        return;
    }
    // An edit in hand is part of what is printed; one that cannot be
    // written stops the run before it starts.
    if (!mode_.PostPendingEdit()) {
        return;
    }
    Prompts& prompts = main_.UserPrompts();
    tables::TTzDbf& table = mode_.Table();
    try {
        const std::uint32_t count = table.RecCount();
        if (!prompts.ConfirmYesNo(&main_,
                                  QString::fromStdString(addresses::MassPrintQuestion(count)))) {
            return;
        }

        mailing::PrintContext context{main_.Settings(),
                                      main_.SettingsFile(),
                                      main_.ReportTableFile(),
                                      SenderLinesOfWindow(main_),
                                      {},
                                      {}};
        context.callbacks.confirmMailerNumber = [this, &prompts](AppSettings& settings) {
            TF_Mailer dialog(settings, prompts, true, &main_);
            return dialog.exec() == QDialog::Accepted;
        };
        context.callbacks.error = [this, &prompts](const std::string& message) {
            prompts.Error(&main_, QString::fromStdString(message));
        };
        context.callbacks.printed = [this](const std::string&) { main_.MarkEntryPrinted(); };

        QProgressDialog progress(QString(), QStringLiteral("Cancel"), 0, static_cast<int>(count),
                                 &main_);
        progress.setObjectName(QStringLiteral("MassPrintProgress"));
        progress.setWindowTitle(QStringLiteral("Mass Print"));
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(0);
        progress.setAutoClose(false);
        progress.setAutoReset(false);

        addresses::MassPrintSteps steps;
        steps.entry = [this] { return EntryOfWindow(main_); };
        steps.position = [this](std::uint32_t, std::uint32_t) {
            mode_.DataSource().ShowRecord();
            mode_.ShowRecordPosition();
        };
        steps.keepGoing = [&progress](std::uint32_t mailer, std::uint32_t total) {
            progress.setLabelText(QStringLiteral("Mailer %1 of %2").arg(mailer).arg(total));
            progress.setValue(static_cast<int>(mailer) - 1);
            progress.show();
            QCoreApplication::processEvents();
            return !progress.wasCanceled();
        };

        const std::unique_ptr<PrintPage> page = main_.NewPrintPage();
        const BusyCursor busy;
        addresses::RunMassPrint(table, context, *page, steps);
        progress.close();
    } catch (const tables::EngineException&) {
        // Reported by the engine; the run ends at that record.
    } catch (const tables::DatasetError& error) {
        prompts.Error(&main_, QString::fromLatin1(error.what()));
    }
    mode_.ShowRecordPosition();
}

void ConnectMassPrintCommand(TF_Main& main, AddressDatabaseMode& mode) {
    QAction* massPrint = main.findChild<QAction*>(QStringLiteral("MIMassPrint"));
    QObject::connect(massPrint, &QAction::triggered, &mode,
                     [&main, &mode] { MassPrintCommand(main, mode).Run(); });
}

} // namespace vell3
