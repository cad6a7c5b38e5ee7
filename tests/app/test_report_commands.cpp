// Report > Print and Report > Preview from the main window: the empty log,
// the definition file's faults, the sort choice, the preview and the print's
// "Output Options".

#include "MainFixture.h"

#include "LogReportRun.h"
#include "TTzDbf.h"
#include "U_ReportPreview.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPrintDialog>
#include <QProcess>
#include <QProgressDialog>
#include <QSpinBox>

using namespace vell3;
using namespace vell3::test;

namespace {

struct Mailer {
    const char* name;
    const char* zip;
    tables::DbfDate date;
    int serial;
};

// Printed in this order; each key orders them differently and the dates
// cross a year end.
const Mailer kMailers[] = {
    {"Carter Hale", "02134", {2025, 12, 30}, 3},
    {"Abbot Inc", "80202", {2026, 1, 2}, 5},
    {"Evans Bros", "73301", {2025, 12, 31}, 1},
};

std::string Grouped(int serial) {
    return "7112 3456 7800 0000 000" + std::to_string(serial);
}

void WriteLog(const QString& path, int copies) {
    tables::TTzDbf log("TestLog");
    report::ConfigureLogTable(log, path.toStdString());
    log.Open();
    for (int i = 0; i < copies; ++i) {
        for (const Mailer& mailer : kMailers) {
            log.ClearRecord();
            log.SetField("sentname0", mailer.name);
            log.SetField("city", "Town");
            log.SetField("state", "ST");
            log.SetField("zip", mailer.zip);
            log.SetField("mailernum", Grouped(mailer.serial));
            log.SetField("postage", "      0.39");
            log.SetField("certified", "      2.40");
            log.SetField("restricted", " ");
            log.SetField("return", "      1.85");
            log.SetField("total", "      4.64");
            log.SetField("rdate", tables::ShortString(tables::FormatShortDate(mailer.date)));
            if (log.ALock()) {
                log.AppendRec();
                log.UnLock();
            }
        }
    }
    log.Close();
}

QString PdfText(const QString& pdf) {
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    text.waitForFinished(20000);
    return QString::fromUtf8(text.readAllStandardOutput());
}

} // namespace

class ReportCommandsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainFixture> fixture_;

    QString ReportsFolder() const { return fixture_->sandbox.programFolder() + "Reports/"; }
    QString LogFile() const { return ReportsFolder() + "report3.dbf"; }
    QString PdfFile() const { return fixture_->sandbox.dir.path() + "/printed.pdf"; }

    void ShipDefinitions() {
        QVERIFY(QFile::copy(QStringLiteral(VELL3_TEST_RAV),
                            fixture_->sandbox.programFolder() + "Vell3.rav"));
    }

    QAction* Action(const char* name) {
        auto* action = fixture_->window->findChild<QAction*>(QString::fromLatin1(name));
        if (action == nullptr) {
            qFatal("no action %s", name);
        }
        return action;
    }

    // The log is closed after a run: it opens exclusively, and no program is
    // logged in to its index semaphore.
    bool LogClosed() {
        if (QFile::exists(ReportsFolder() + "report3.@S@")) {
            return false;
        }
        tables::TTzDbf log;
        report::ConfigureLogTable(log, LogFile().toStdString());
        log.SetExclusive(true);
        try {
            log.Open();
        } catch (const std::exception&) {
            return false;
        }
        return true;
    }

private slots:
    void init() {
        fixture_ = std::make_unique<MainFixture>();
        QVERIFY(fixture_->Start());
        fixture_->prompts.calls.clear();
        // The run's printer writes a PDF here instead of a queue.
        QPrinter& printer = fixture_->window->Printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(PdfFile());
    }

    void cleanup() { fixture_.reset(); }

    void firmMailingBookJoinsBothSubmenus() {
        for (const char* menu : {"PrintReport1", "PreviewReport1"}) {
            auto* sub = fixture_->window->findChild<QMenu*>(QString::fromLatin1(menu));
            QVERIFY(sub != nullptr);
            QStringList captions;
            for (QAction* action : sub->actions()) {
                captions.append(action->text().remove(QLatin1Char('&')));
            }
            QCOMPARE(captions, (QStringList{"Full Detail", "Short Detail",
                                            "Firm Mailing Book (PS Form 3877)"}));
        }
    }

    void emptyLogSaysSo_data() {
        QTest::addColumn<QString>("action");
        for (const char* name : {"miPrintFull", "miPrintShort", "miPrintFirmBook", "miPreviewFull",
                                 "miPreviewShort", "miPreviewFirmBook"}) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
    }

    void emptyLogSaysSo() {
        QFETCH(QString, action);
        ShipDefinitions();
        Action("MIByName")->trigger();
        ModalDriver driver; // any window that opens fails the test
        Action(action.toLatin1().constData())->trigger();
        QCOMPARE(fixture_->prompts.Kinds(), QStringList{"Error"});
        QCOMPARE(fixture_->prompts.calls.front().text, QStringLiteral("Report is empty."));
        QVERIFY(driver.Seen().isEmpty());
        QVERIFY(!QFile::exists(ReportsFolder() + "name.MDX"));
        QVERIFY(LogClosed());
    }

    void missingDefinitionFileNamesIt() {
        WriteLog(LogFile(), 1);
        ModalDriver driver;
        Action("miPreviewFull")->trigger();
        QCOMPARE(fixture_->prompts.Kinds(), QStringList{"Error"});
        QCOMPARE(fixture_->prompts.calls.front().text,
                 QStringLiteral("The following reporting project does not exist:\r\"") +
                     fixture_->sandbox.programFolder() + QStringLiteral("Vell3.rav\""));
        QVERIFY(driver.Seen().isEmpty());
        QVERIFY(LogClosed());
    }

    void damagedDefinitionFileSaysWhereAndPrintsNothing() {
        WriteLog(LogFile(), 1);
        QFile rav(fixture_->sandbox.programFolder() + "Vell3.rav");
        QVERIFY(rav.open(QIODevice::WriteOnly));
        rav.write(
            "{\n  \"format\": \"Vell3 reports 1\",\n  \"reports\": {\"ShortDetail\": [}\n}\n");
        rav.close();
        Action("miPrintShort")->trigger();
        QCOMPARE(fixture_->prompts.Kinds(), QStringList{"Error"});
        const QString text = fixture_->prompts.calls.front().text;
        QVERIFY2(text.startsWith(QStringLiteral("The report definition file \"") + rav.fileName() +
                                 QStringLiteral("\" cannot be used:\r")),
                 qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("at line 3, column")), qPrintable(text));
        QVERIFY(!QFile::exists(PdfFile()));
        QVERIFY(LogClosed());
        // The program goes on: a mended file prints.
        QVERIFY(rav.remove());
        ShipDefinitions();
        fixture_->prompts.calls.clear();
        Action("miPrintShort")->trigger();
        QCOMPARE(fixture_->prompts.Kinds(), QStringList{"OutputOptions"});
        QVERIFY(PdfText(PdfFile()).contains(QStringLiteral("Carter Hale")));
    }

    void sortChoiceOrdersThePrint_data() {
        QTest::addColumn<QString>("sortItem");
        QTest::addColumn<QString>("indexFile");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("none") << QString() << QString()
                              << QStringList{"Carter Hale", "Abbot Inc", "Evans Bros"};
        QTest::newRow("mailer number")
            << "MIByMailerNumber"
            << "mailernum.MDX" << QStringList{"Evans Bros", "Carter Hale", "Abbot Inc"};
        QTest::newRow("name") << "MIByName"
                              << "name.MDX"
                              << QStringList{"Abbot Inc", "Carter Hale", "Evans Bros"};
        QTest::newRow("date") << "MIByDate"
                              << "rdate.MDX"
                              << QStringList{"Carter Hale", "Evans Bros", "Abbot Inc"};
        QTest::newRow("zip") << "MIByZipCode"
                             << "zip.MDX" << QStringList{"Carter Hale", "Evans Bros", "Abbot Inc"};
    }

    void sortChoiceOrdersThePrint() {
        QFETCH(QString, sortItem);
        QFETCH(QString, indexFile);
        QFETCH(QStringList, order);
        ShipDefinitions();
        WriteLog(LogFile(), 1);
        if (!sortItem.isEmpty()) {
            // Another choice first: the last click holds.
            Action("MIByZipCode")->trigger();
            Action(sortItem.toLatin1().constData())->trigger();
        }
        Action("miPrintShort")->trigger();
        QCOMPARE(fixture_->prompts.Kinds(), QStringList{"OutputOptions"});
        QCOMPARE(fixture_->prompts.calls.front().text, QStringLiteral("1")); // pages offered
        const QString text = PdfText(PdfFile());
        qsizetype last = -1;
        for (const QString& name : order) {
            const qsizetype at = text.indexOf(name);
            QVERIFY2(at > last, qPrintable(name + "\n" + text));
            last = at;
        }
        QVERIFY(text.contains(QStringLiteral("Date Printed: ")));
        const QStringList indexes = QDir(ReportsFolder()).entryList({"*.MDX"}, QDir::Files);
        QCOMPARE(indexes, indexFile.isEmpty() ? QStringList{} : QStringList{indexFile});
        QVERIFY(LogClosed());
        // The run's printer is the mailer's again: its own paper and origin.
        QVERIFY(!fixture_->window->Printer().fullPage());
    }

    void printCancelledInOutputOptionsPrintsNothing() {
        ShipDefinitions();
        WriteLog(LogFile(), 1);
        fixture_->prompts.acceptOutputOptions = false;
        ModalDriver driver;
        Action("miPrintFirmBook")->trigger();
        QCOMPARE(fixture_->prompts.Kinds(), QStringList{"OutputOptions"});
        QVERIFY(driver.Seen().isEmpty()); // no "Report Status"
        QVERIFY(!QFile::exists(PdfFile()));
        QVERIFY(LogClosed());
    }

    void printCancelledInReportStatusStops() {
        ShipDefinitions();
        WriteLog(LogFile(), 40); // 120 mailers: three pages of short detail
        QString label;
        QString title;
        // Runs at the first chance the print gives the event loop: page 1.
        QTimer::singleShot(0, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* status = qobject_cast<QProgressDialog*>(widget);
                if (status != nullptr && status->objectName() == QStringLiteral("ReportStatus") &&
                    status->isVisible()) {
                    title = status->windowTitle();
                    label = status->labelText();
                    status->cancel();
                }
            }
        });
        Action("miPrintShort")->trigger();
        QCOMPARE(fixture_->prompts.Kinds(), QStringList{"OutputOptions"});
        QCOMPARE(title, QStringLiteral("Report Status"));
        QCOMPARE(label, QStringLiteral("Printing page 1"));
        QVERIFY(!PdfText(PdfFile()).contains(QStringLiteral("Page 3 of 3")));
        QVERIFY(LogClosed());
    }

    void previewOpensMaximisedAndCloses() {
        ShipDefinitions();
        WriteLog(LogFile(), 200); // 600 mailers: 14 pages of short detail
        Action("MIByDate")->trigger();
        ModalDriver driver;
        driver.Expect(QStringLiteral("ReportPreview"), [&](QDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Report Preview"));
            QVERIFY(dialog->isModal());
            QVERIFY(dialog->windowState() & Qt::WindowMaximized);
            // The index is open while the preview shows.
            QVERIFY(QFile::exists(ReportsFolder() + "report3.@S@"));
            auto* preview = static_cast<report::TF_ReportPreview*>(dialog);
            report::PreviewPages* pages = preview->Pages();
            QCOMPARE(pages->Zoom(), 1.0);
            QCOMPARE(Child<QComboBox>(dialog, "cbZoom")->currentText(), QStringLiteral("100 %"));
            QCOMPARE(Child<QLabel>(dialog, "lblPageCount")->text(), QStringLiteral("of 14"));
            QTest::qWait(50);
            // Only what is in view is drawn.
            QVERIFY(pages->PagesDrawn() >= 1);
            QVERIFY(pages->PagesDrawn() <= 3);
            Click(dialog, "btnLastPage");
            QTest::qWait(50);
            QCOMPARE(Child<QSpinBox>(dialog, "editPage")->value(), 14);
            QVERIFY(pages->PagesDrawn() <= 5);
            Click(dialog, "btnZoomIn");
            QCOMPARE(pages->Zoom(), 1.25);
            QCOMPARE(Child<QSpinBox>(dialog, "editPage")->value(), 14);
            // Print from the preview goes through "Output Options".
            fixture_->prompts.acceptOutputOptions = false;
            Click(dialog, "btnPrint");
            QCOMPARE(fixture_->prompts.Kinds(), QStringList{"OutputOptions"});
            QCOMPARE(fixture_->prompts.calls.front().text, QStringLiteral("14"));
            Click(dialog, "btnClose");
        });
        Action("miPreviewShort")->trigger();
        QVERIFY(driver.Done());
        QCOMPARE(driver.Seen(), QStringList{"ReportPreview"});
        QVERIFY(QFile::exists(ReportsFolder() + "rdate.MDX"));
        QVERIFY(LogClosed());
    }

    void outputOptionsOffersThePrinterOnly() {
        WidgetPrompts prompts;
        QPrinter printer(QPrinter::HighResolution);
        ModalDriver driver;
        driver.Expect(QStringLiteral("OutputOptions"), [](QDialog* dialog) {
            auto* options = qobject_cast<QPrintDialog*>(dialog);
            QVERIFY(options != nullptr);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Output Options"));
            QVERIFY(!options->testOption(QAbstractPrintDialog::PrintToFile));
            QVERIFY(options->testOption(QAbstractPrintDialog::PrintCollateCopies));
            QVERIFY(options->testOption(QAbstractPrintDialog::PrintPageRange));
            QCOMPARE(options->maxPage(), 7);
            dialog->reject();
        });
        QVERIFY(!prompts.OutputOptions(fixture_->window.get(), printer, 7));
        QVERIFY(driver.Done());
    }

    void twoRunsShowTheirOwnTime() {
        ShipDefinitions();
        WriteLog(LogFile(), 1);
        QStringList times;
        for (int run = 0; run < 2; ++run) {
            if (run == 1) {
                QTest::qWait(1100); // the long time shows seconds
            }
            Action("miPrintShort")->trigger();
            times.append(PdfText(PdfFile())
                             .section(QStringLiteral("Date Printed: "), 1)
                             .section(QLatin1Char('\n'), 0, 0)
                             .trimmed());
        }
        QVERIFY2(!times[0].isEmpty() && times[0] != times[1], qPrintable(times.join(" | ")));
    }
};

QTEST_MAIN(ReportCommandsTest)
#include "test_report_commands.moc"
