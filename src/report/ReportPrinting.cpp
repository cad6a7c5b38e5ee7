#include "ReportPrinting.h"

#include "Prompts.h"
#include "ReportOutput.h"
#include "ReportRenderer.h"

#include <QApplication>
#include <QPrinter>
#include <QProgressDialog>

namespace vell3::report {

namespace {

// The report sets paper, orientation and the paper's corner as origin for its
// own pages; the mailer and bar-code prints expect the run's settings.
class PrinterSettingsGuard {
public:
    explicit PrinterSettingsGuard(QPrinter& printer)
        : printer_(printer), layout_(printer.pageLayout()), fullPage_(printer.fullPage()),
          docName_(printer.docName()) {}
    ~PrinterSettingsGuard() {
        printer_.setFullPage(fullPage_);
        printer_.setPageLayout(layout_);
        printer_.setDocName(docName_);
        printer_.setPrintRange(QPrinter::AllPages);
        printer_.setFromTo(0, 0);
    }
    PrinterSettingsGuard(const PrinterSettingsGuard&) = delete;
    PrinterSettingsGuard& operator=(const PrinterSettingsGuard&) = delete;

private:
    QPrinter& printer_;
    QPageLayout layout_;
    bool fullPage_;
    QString docName_;
};

} // namespace

bool PrintReport(QWidget* parent, Prompts& prompts, QPrinter& printer, ReportRenderer& renderer) {
    const PrinterSettingsGuard guard(printer);
    printer.setPageLayout(renderer.PageLayout());
    printer.setDocName(QString::fromLatin1(kReportPrintJobName));
    if (!prompts.OutputOptions(parent, printer, renderer.PageCount())) {
        return false;
    }
    // Whatever paper the user picked, the report's items keep their places
    // from the paper's corner.
    printer.setFullPage(true);
    int fromPage = 0;
    int toPage = 0;
    if (printer.printRange() == QPrinter::PageRange) {
        fromPage = printer.fromPage();
        toPage = printer.toPage();
    }

    QProgressDialog status(parent);
    status.setObjectName(QStringLiteral("ReportStatus"));
    status.setWindowTitle(QStringLiteral("Report Status"));
    status.setWindowModality(Qt::ApplicationModal);
    status.setRange(0, renderer.PageCount());
    status.setMinimumDuration(0);
    status.setAutoClose(false);
    status.setAutoReset(false);
    status.show();
    const bool printed = RenderPages(
        renderer, printer, fromPage, toPage,
        [&](int page) {
            status.setLabelText(QStringLiteral("Printing page %1").arg(page));
            status.setValue(page - 1);
            QApplication::processEvents();
            return !status.wasCanceled();
        },
        [&] {
            // A cancelled job sends nothing of what was drawn.
            printer.abort();
        });
    return printed;
}

} // namespace vell3::report
