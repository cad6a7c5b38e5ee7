// The Print and Print Bar Codes commands driven through the main window:
// its dialogs, refusals, a failing printer, and the log row read back with an
// independent reader.

#include "MainFixture.h"
#include "PrintTestSupport.h"

#include "CmdPrint.h"
#include "DbfDate.h"
#include "LabelNumber.h"
#include "LocaleDates.h"
#include "LogTable.h"
#include "PrintMessages.h"
#include "TTzDbf.h"

#include <QAction>
#include <QCheckBox>
#include <QDate>
#include <QFile>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QScopeGuard>
#include <QSpinBox>

using namespace vell3;
using namespace vell3::test;

namespace {

const QByteArray kSettings = kQuietSettings + "SerialNum=00000041\n";

QString Grouped(const char* customerDigits, const char* serial) {
    return QString::fromStdString(GroupLabelNumber(BuildLabelNumber(customerDigits, serial)));
}

QString BoxText(const char* message) {
    return QString::fromLatin1(message).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace

class PrintCommandsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainFixture> f_;
    RecordedPrints prints_;
    std::unique_ptr<EngineErrorRecorder> engine_;

    QString LogPath() const { return QString::fromStdString(f_->window->ReportTableFile()); }
    QJsonArray LogRows() {
        if (!QFile::exists(LogPath())) {
            return {};
        }
        bool ok = false;
        QJsonArray rows = ReadTableWithDbfread(LogPath(), &ok);
        if (!ok) {
            qFatal("the log does not read");
        }
        return rows;
    }
    void TriggerPrintMenu() { f_->window->findChild<QAction*>("MIPrint")->trigger(); }

private slots:
    void init() {
        prints_ = RecordedPrints{};
        engine_ = std::make_unique<EngineErrorRecorder>();
        f_ = std::make_unique<MainFixture>();
        QVERIFY(f_->Start(kSettings));
        f_->window->SetPageSource(prints_.Source());
    }

    void cleanup() {
        f_.reset();
        engine_.reset();
    }

    void printMenuItemsAreOn() {
        for (const char* name : {"MIPrint", "MIPrintBarCodes", "ClearReport1"}) {
            QVERIFY2(f_->window->findChild<QAction*>(name)->isEnabled(), name);
        }
    }

    // The before-print dialog: Cancel changes nothing, OK prints and logs the
    // number it showed, "Do not show this screen again" also turns it off for
    // the later prints of the run.
    void beforePrintDialog_data() {
        QTest::addColumn<QString>("answer");
        QTest::newRow("cancel") << "cancel";
        QTest::newRow("ok") << "ok";
        QTest::newRow("do not show again") << "dontshow";
    }

    void beforePrintDialog() {
        QFETCH(QString, answer);
        MainFixture& f = *f_;
        QVERIFY(f.settings.ShowMailerBeforePrint);
        {
            ModalDriver driver;
            driver.Expect("TF_Mailer", [&](QDialog* d) {
                QVERIFY(Child<QCheckBox>(d, "cbDontShow")->isVisible());
                QVERIFY(QApplication::overrideCursor() == nullptr);
                QCOMPARE(Child<QLineEdit>(d, "editSerialNum")->text(), QStringLiteral("00000042"));
                if (answer == "cancel") {
                    Click(d, "btnCancel");
                    return;
                }
                Child<QCheckBox>(d, "cbDontShow")->setChecked(answer == "dontshow");
                Click(d, "btnOK");
            });
            Click(f.window.get(), "btnPrint");
            QVERIFY(driver.Done());
        }

        if (answer == "cancel") {
            QCOMPARE(f.settings.SerialNum, std::string("00000041"));
            QCOMPARE(f.settings.CustID, std::string("12-345-6789"));
            QVERIFY(prints_.Printed().empty());
            QVERIFY(LogRows().isEmpty());
            QVERIFY(!f.window->EntryLooksPrinted());
            QVERIFY(f.prompts.calls.isEmpty());
            return;
        }
        QCOMPARE(f.settings.SerialNum, std::string("00000042"));
        QCOMPARE(prints_.Printed().size(), size_t(1));
        QCOMPARE(prints_.hourglass, std::vector<bool>{true});
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(RecordedPrints::Texts(*prints_.Printed()[0])
                    .contains(Grouped("123456789", "00000042")));
        QVERIFY(f.window->EntryLooksPrinted());
        QVERIFY(!Child<QPushButton>(f.window.get(), "btnPrint")->isEnabled());
        QCOMPARE(f.settings.ShowMailerBeforePrint, answer != "dontshow");
        // The stepped number reached the settings file before it was printed.
        QVERIFY(f.sandbox.ReadSettings().contains("SerialNum=00000042"));
        QJsonArray rows = LogRows();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].toObject()["mailernum"].toString(), Grouped("123456789", "00000042"));

        // File > Print prints the same entry again although the button is
        // disabled; the dialog shows only while it was not turned off.
        ModalDriver again;
        if (answer == "ok") {
            again.Expect("TF_Mailer", [](QDialog* d) { Click(d, "btnOK"); });
        }
        TriggerPrintMenu();
        QVERIFY(again.Done());
        QCOMPARE(again.Seen().size(), answer == "ok" ? 1 : 0);
        QCOMPARE(f.settings.SerialNum, std::string("00000043"));
        rows = LogRows();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1].toObject()["mailernum"].toString(), Grouped("123456789", "00000043"));
        QVERIFY(f.prompts.calls.isEmpty());
    }

    void zeroCustomerIdIsRefused() {
        MainFixture& f = *f_;
        f.settings.CustID = "00-000-0000";
        f.settings.ShowMailerBeforePrint = false;
        Click(f.window.get(), "btnPrint");
        QCOMPARE(f.prompts.Kinds(), QStringList{"Error"});
        QCOMPARE(f.prompts.calls[0].text, BoxText(kZeroCustomerIdMessage));
        QCOMPARE(f.prompts.calls[0].text,
                 QStringLiteral("You can not print a Mailer with \"00-000-0000\" as a Customer "
                                "ID.\n\nPlease enter in a Customer ID, and try again."));
        QCOMPARE(f.settings.SerialNum, std::string("00000041"));
        QCOMPARE(f.settings.CustID, std::string("00-000-0000"));
        QVERIFY(prints_.Printed().empty());
        QVERIFY(LogRows().isEmpty());
        QVERIFY(!f.window->EntryLooksPrinted());
    }

    // A printer that fails: its error in a box, the sequence stays stepped,
    // nothing logged, the entry not marked printed; the program goes on.
    void printerFailure() {
        MainFixture& f = *f_;
        f.settings.ShowMailerBeforePrint = false;
        prints_.failWith = "The printer is out of paper.";
        Click(f.window.get(), "btnPrint");
        QCOMPARE(f.prompts.Kinds(), QStringList{"Error"});
        QCOMPARE(f.prompts.calls[0].text, QStringLiteral("The printer is out of paper."));
        QCOMPARE(f.settings.SerialNum, std::string("00000042"));
        QVERIFY(prints_.Printed().empty());
        QVERIFY(LogRows().isEmpty());
        QVERIFY(!f.window->EntryLooksPrinted());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(engine_->errors.empty());

        // The next print uses the next number.
        prints_.failWith.clear();
        Click(f.window.get(), "btnPrint");
        QCOMPARE(LogRows().size(), 1);
        QCOMPARE(LogRows()[0].toObject()["mailernum"].toString(), Grouped("123456789", "00000043"));
    }

    // No printer anywhere (the test's scheduler socket does not exist): the
    // print fails as a printer does, with its own message.
    void noPrinterAtAll() {
        MainFixture& f = *f_;
        QVERIFY(QPrinterInfo::defaultPrinter().isNull());
        f.window->SetPageSource({});
        f.settings.ShowMailerBeforePrint = false;
        Click(f.window.get(), "btnPrint");
        QCOMPARE(f.prompts.Kinds(), QStringList{"Error"});
        QCOMPARE(f.prompts.calls[0].text, QStringLiteral("There is no default printer."));
        QCOMPARE(f.settings.SerialNum, std::string("00000042"));
        QVERIFY(LogRows().isEmpty());
        QVERIFY(!f.window->EntryLooksPrinted());
    }

    // The stepped sequence must reach the settings file before the number goes
    // on paper: a refused write prints nothing, shows the write error and
    // puts the sequence back.
    void refusedSettingsWritePrintsNothing() {
        MainFixture& f = *f_;
        f.settings.ShowMailerBeforePrint = false;
        const QString settingsFile = f.sandbox.settingsFile();
        QVERIFY(QFile::remove(settingsFile));
        QVERIFY(QDir().mkpath(settingsFile + QStringLiteral("/blocked")));
        Click(f.window.get(), "btnPrint");
        QCOMPARE(f.prompts.Kinds(), QStringList{"Error"});
        QVERIFY(!f.prompts.calls[0].text.isEmpty());
        QVERIFY(prints_.Printed().empty());
        QVERIFY(prints_.pages.empty() || prints_.pages[0]->Events().empty());
        QCOMPARE(f.settings.SerialNum, std::string("00000041"));
        QVERIFY(LogRows().isEmpty());
        QVERIFY(!f.window->EntryLooksPrinted());
    }

    // The logged row of a plain entry, read with python3-dbfread: the memo
    // lines as shown, untrimmed and cut to 30; city and state trimmed; the ZIP
    // tidied; the money texts as displayed with their leading blanks; today's
    // date in the short format of the locale, read back as today; the grouped
    // number of 24 characters.
    void loggedRowOfPlainEntry_data() {
        QTest::addColumn<QString>("locale");
        QTest::newRow("en_US") << "en_US";
        QTest::newRow("en_GB") << "en_GB";
        QTest::newRow("de_DE") << "de_DE";
    }

    void loggedRowOfPlainEntry() {
        QFETCH(QString, locale);
        const std::string before = tables::ShortDateFormat();
        tables::SetShortDateFormat(ShortDateFormatFor(QLocale(locale)));
        const auto restore = qScopeGuard([&] { tables::SetShortDateFormat(before); });

        MainFixture& f = *f_;
        f.settings.ShowMailerBeforePrint = false;
        const QStringList lines{QStringLiteral("  Dr. Jane Q. Public  "),
                                QStringLiteral("1234 Long Street Name Suite 100"), QString(),
                                QStringLiteral("Building 7")};
        f.Get<QPlainTextEdit>("memoAddress")->setPlainText(lines.join('\n'));
        QCOMPARE(f.window->RecipientNameLines(), lines);
        f.TypeAndLeave("editCity", QStringLiteral(" Springfield "));
        f.TypeAndLeave("editState", QStringLiteral("IL"));
        f.Edit("editZip")->setText(QStringLiteral("62704"));
        f.TypeAndLeave("editComment", QStringLiteral("Final notice"));
        f.TypeAndLeave("editRe", QStringLiteral("Account 42"));
        f.TypeAndLeave("editPostage", QStringLiteral("1.5"));
        const std::array<QString, 5> fees = f.window->FeeTexts();
        QVERIFY2(fees[0].startsWith(' '), qPrintable(fees[0]));

        Click(f.window.get(), "btnPrint");
        QVERIFY(f.prompts.calls.isEmpty());
        const QJsonArray rows = LogRows();
        QCOMPARE(rows.size(), 1);
        const QJsonObject row = rows[0].toObject();
        QCOMPARE(row["sentname0"].toString(), QStringLiteral("  Dr. Jane Q. Public"));
        QCOMPARE(row["sentname1"].toString(), lines[1].left(30));
        QCOMPARE(row["sentname2"].toString(), QString());
        QCOMPARE(row["sentname3"].toString(), QStringLiteral("Building 7"));
        QCOMPARE(row["city"].toString(), QStringLiteral("Springfield"));
        QCOMPARE(row["state"].toString(), QStringLiteral("IL"));
        QCOMPARE(row["zip"].toString(), QStringLiteral("62704"));
        QCOMPARE(row["rdate"].toString(), QDate::currentDate().toString(Qt::ISODate));
        const QString number = row["mailernum"].toString();
        QCOMPARE(number.size(), 24);
        QCOMPARE(number, Grouped("123456789", "00000042"));
        QCOMPARE(row["postage"].toString(), fees[0]);
        QCOMPARE(row["certified"].toString(), fees[1]);
        QCOMPARE(row["return"].toString(), fees[2]);
        QCOMPARE(row["restricted"].toString(), QString());
        QCOMPARE(row["total"].toString(), fees[4]);
        QVERIFY(row["total"].toString().startsWith(' '));
        QCOMPARE(row["comments"].toString(), QStringLiteral("Final notice"));
        QCOMPARE(row["re"].toString(), QStringLiteral("Account 42"));
    }

    // Another program holds the log's append lock past the wait: the mailer is
    // printed and marked, and a box says that its row could not be written.
    void logLockStillRefused() {
        MainFixture& f = *f_;
        f.settings.ShowMailerBeforePrint = false;
        log::OpenLogForPrinting(f.window->ReportTableFile());
        tables::TTzDbf holder;
        log::ConfigureLogTable(holder, f.window->ReportTableFile());
        holder.Open();
        QVERIFY(holder.ALock());
        Click(f.window.get(), "btnPrint");
        holder.UnLock();
        holder.Close();
        QCOMPARE(prints_.Printed().size(), size_t(1));
        QVERIFY(f.window->EntryLooksPrinted());
        QCOMPARE(f.prompts.Kinds(), QStringList{"Error"});
        const QString grouped = Grouped("123456789", "00000042");
        QCOMPARE(f.prompts.calls[0].text,
                 BoxText(log::LogLockRefusedMessage(grouped.toStdString()).c_str()));
        QVERIFY(f.prompts.calls[0].text.contains(grouped));
        QVERIFY(LogRows().isEmpty());
    }

    // A log that is no table stops the print with the engine's error before
    // anything goes on paper.
    void damagedLogStopsBeforePaper() {
        MainFixture& f = *f_;
        f.settings.ShowMailerBeforePrint = false;
        QFile log(LogPath());
        QVERIFY(log.open(QIODevice::WriteOnly));
        log.write("this is not a dBASE table at all, only some text");
        log.close();
        Click(f.window.get(), "btnPrint");
        QCOMPARE(engine_->errors.size(), size_t(1));
        QVERIFY(prints_.Printed().empty());
        QVERIFY(!f.window->EntryLooksPrinted());
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    // Print Bar Codes: the question, the dialog, one print document per label
    // across the end of the serials; SerialNum ends at the last one printed.
    void printBarCodesAcrossTheEnd() {
        MainFixture& f = *f_;
        f.settings.SerialNum = "99999997";
        f.prompts.confirmAnswers = {true};
        ModalDriver driver;
        driver.Expect("TF_PrintBarCode", [](QDialog* d) {
            QCOMPARE(Child<QLineEdit>(d, "editSerialNum")->text(), QStringLiteral("99999998"));
            Child<QSpinBox>(d, "editNumLabels")->setValue(3);
            Click(d, "btnOK");
        });
        f.window->findChild<QAction*>("MIPrintBarCodes")->trigger();
        QVERIFY(driver.Done());
        QCOMPARE(f.prompts.Kinds(), QStringList{"Confirm"});
        QCOMPARE(f.prompts.calls[0].text,
                 QStringLiteral("You have seleceted to pre-print the Bar Code's onto the "
                                "Mailer's, would you like to continue?"));
        const auto printed = prints_.Printed();
        QCOMPARE(printed.size(), size_t(3));
        const char* serials[] = {"99999998", "99999999", "00000001"};
        for (size_t i = 0; i < printed.size(); ++i) {
            QCOMPARE(printed[i]->Events().size(), size_t(2)); // one document each
            QVERIFY2(RecordedPrints::Texts(*printed[i]).contains(Grouped("123456789", serials[i])),
                     serials[i]);
        }
        QCOMPARE(f.settings.SerialNum, std::string("00000001"));
        QVERIFY(f.sandbox.ReadSettings().contains("SerialNum=00000001"));
        QCOMPARE(prints_.hourglass, std::vector<bool>(3, true));
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(LogRows().isEmpty());
    }

    void printBarCodesNoAndCancel_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("no") << false;
        QTest::newRow("cancel in the dialog") << true;
    }

    void printBarCodesNoAndCancel() {
        QFETCH(bool, yes);
        MainFixture& f = *f_;
        f.prompts.confirmAnswers = {yes};
        ModalDriver driver;
        if (yes) {
            driver.Expect("TF_PrintBarCode", [](QDialog* d) {
                Child<QLineEdit>(d, "editCustID")->setText("98-765-4321");
                Click(d, "btnCancel");
            });
        }
        f.window->findChild<QAction*>("MIPrintBarCodes")->trigger();
        QVERIFY(driver.Done());
        QCOMPARE(driver.Seen().size(), yes ? 1 : 0);
        QVERIFY(prints_.Printed().empty());
        QCOMPARE(f.settings.SerialNum, std::string("00000041"));
        QCOMPARE(f.settings.CustID, std::string("12-345-6789"));
    }

    // The unset customer ID is refused in either mode, as the run always
    // prints barcodes from it.
    void printBarCodesZeroCustomerId_data() {
        QTest::addColumn<bool>("barcodeMode");
        QTest::newRow("barcode mode") << true;
        QTest::newRow("pre-printed mode") << false;
    }

    void printBarCodesZeroCustomerId() {
        QFETCH(bool, barcodeMode);
        MainFixture& f = *f_;
        f.settings.PrintBarCode = barcodeMode;
        f.prompts.confirmAnswers = {true};
        ModalDriver driver;
        driver.Expect("TF_PrintBarCode", [](QDialog* d) {
            Child<QLineEdit>(d, "editCustID")->setText("00-000-0000");
            Click(d, "btnOK");
        });
        f.window->findChild<QAction*>("MIPrintBarCodes")->trigger();
        QVERIFY(driver.Done());
        QCOMPARE(f.prompts.Kinds(), (QStringList{"Confirm", "Error"}));
        QCOMPARE(f.prompts.calls[1].text, BoxText(kZeroCustomerIdBarCodesMessage));
        QVERIFY(prints_.Printed().empty());
    }

    // A printer that fails on the second label: the first stays printed, the
    // run stops with the printer's error, and SerialNum (also in the file)
    // keeps the serial that may have reached paper, so it is never reused.
    void printBarCodesPrinterFailsPartWay() {
        MainFixture& f = *f_;
        f.settings.SerialNum = "00000009";
        f.prompts.confirmAnswers = {true};
        prints_.failWith = "The printer is out of paper.";
        prints_.failFrom = 1;
        ModalDriver driver;
        driver.Expect("TF_PrintBarCode", [](QDialog* d) {
            Child<QSpinBox>(d, "editNumLabels")->setValue(3);
            Click(d, "btnOK");
        });
        f.window->findChild<QAction*>("MIPrintBarCodes")->trigger();
        QVERIFY(driver.Done());
        QCOMPARE(prints_.Printed().size(), size_t(1));
        QVERIFY(RecordedPrints::Texts(*prints_.Printed()[0])
                    .contains(Grouped("123456789", "00000010")));
        QCOMPARE(prints_.pages.size(), size_t(2));
        QCOMPARE(f.prompts.Kinds(), (QStringList{"Confirm", "Error"}));
        QCOMPARE(f.prompts.calls[1].text, QStringLiteral("The printer is out of paper."));
        QCOMPARE(f.settings.SerialNum, std::string("00000011"));
        QVERIFY(f.sandbox.ReadSettings().contains("SerialNum=00000011"));
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    // The Print command on its own, without the main window: what it needs
    // is the settings, the prompts, the files, the entry and a page.
    void printCommandWithoutWindow() {
        QTemporaryDir dir;
        AppSettings settings;
        settings.CustID = "12-345-6789";
        settings.SerialNum = "00000100";
        settings.ShowMailerBeforePrint = false;
        ScriptedPrompts prompts;
        mailing::MailerEntry entry;
        entry.recipientLines = {"Jane Roe", "9 Pine St"};
        entry.city = "Dayton";
        entry.state = "OH";
        entry.zip = "45402-    ";
        RecordingPage page(600, 600);
        int marked = 0;
        const PrintFiles files{(dir.path() + "/vell3.ini").toStdString(),
                               (dir.path() + "/Reports/report3.dbf").toStdString()};
        const mailing::PrintResult result =
            RunPrintCommandOfWindow(settings, prompts, nullptr, files, entry, {"Acme", "Dayton OH"},
                                    page, [&marked] { ++marked; });
        QCOMPARE(int(result.outcome), int(mailing::PrintOutcome::Printed));
        QCOMPARE(QString::fromStdString(result.groupedNumber), Grouped("123456789", "00000101"));
        QCOMPARE(marked, 1);
        QVERIFY(prompts.calls.isEmpty());
        const QJsonArray rows = ReadTableWithDbfread(QString::fromStdString(files.logPath));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].toObject()["sentname1"].toString(), QStringLiteral("9 Pine St"));
        QCOMPARE(rows[0].toObject()["zip"].toString(), QStringLiteral("45402"));
    }

    // OK while the number of labels holds no number: its message, nothing
    // printed, the saved values back.
    void printBarCodesCountNotANumber() {
        MainFixture& f = *f_;
        f.prompts.confirmAnswers = {true};
        ModalDriver driver;
        driver.Expect("TF_PrintBarCode", [](QDialog* d) {
            Child<QLineEdit>(d, "editSerialNum")->setText("00000500");
            Child<QSpinBox>(d, "editNumLabels")->findChild<QLineEdit*>()->setText("+");
            d->accept();
        });
        f.window->findChild<QAction*>("MIPrintBarCodes")->trigger();
        QVERIFY(driver.Done());
        QCOMPARE(f.prompts.Kinds(), (QStringList{"Confirm", "Error"}));
        QCOMPARE(f.prompts.calls[1].text, QStringLiteral("'+' is not a valid integer value"));
        QVERIFY(prints_.Printed().empty());
        QCOMPARE(f.settings.SerialNum, std::string("00000041"));
    }
};

QTEST_MAIN(PrintCommandsTest)
#include "test_print_commands.moc"
