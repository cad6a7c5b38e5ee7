// Address database mode: opening and creating address databases, browsing and
// editing them through the data-aware fields and the navigator, Exit, and the
// tables of other tools and other programs.

#include "DatabaseFixture.h"

#include "AddressTable.h"
#include "EntryFields.h"
#include "LabelNumber.h"
#include "U_Mailer.h"

#include <QCheckBox>
#include <QProgressDialog>

#include <QFileInfo>
#include <QFontMetrics>

using namespace vell3;
using namespace vell3::test;

namespace {

QString Grouped(const char* serial) {
    return QString::fromStdString(GroupLabelNumber(BuildLabelNumber("123456789", serial)));
}

QString PdfText(const QString& pdf) {
    QProcess tool;
    tool.start("pdftotext", {pdf, "-"});
    tool.waitForFinished(30000);
    return QString::fromUtf8(tool.readAllStandardOutput());
}

} // namespace

class AddressDatabaseTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        f_ = std::make_unique<DatabaseFixture>();
        QVERIFY(f_->StartDatabase());
    }
    void cleanup() { f_.reset(); }

    // A name without extension: the new file gets ".dbf", the four fields of
    // database mode and one blank record; the plain fields keep their texts.
    void newDatabaseStartsWithOneBlankRecord() {
        DatabaseFixture& f = *f_;
        f.Edit("editCity")->setText("Plainville");
        f.Get<QPlainTextEdit>("memoAddress")->setPlainText("Kept Name");
        QVERIFY(!f.window->findChild<QAction*>("MIMassPrint")->isEnabled());

        f.OpenDatabase(f.Path("offices"));
        QCOMPARE(f.prompts.calls.value(0).kind, QStringLiteral("OpenFile"));
        QCOMPARE(f.prompts.calls.value(0).title, QStringLiteral("Read Name and Address from File"));
        QVERIFY(f.InDatabaseMode());
        QCOMPARE(f.Order(), QStringLiteral("1/1"));
        QVERIFY(QFileInfo::exists(f.Path("offices.dbf")));
        QVERIFY(!QFileInfo::exists(f.Path("offices.DBF")));
        QCOMPARE(QString::fromStdString(f.settings.AddressFolder), f.sandbox.dir.path());
        QVERIFY(f.window->findChild<QAction*>("MIMassPrint")->isEnabled());
        QVERIFY(f.Get<QPlainTextEdit>("memoAddress")->isHidden());
        QVERIFY(f.Get<QPushButton>("btnClear")->isHidden());
        QVERIFY(!f.Get<QWidget>("tznavigator1")->isHidden());
        QCOMPARE(QApplication::focusWidget(), f.Get<QWidget>("tzmemoAddress"));
        QVERIFY(f.prompts.Kinds().size() == 1);

        const QJsonObject table = ReadWithDbfread(f.Path("offices.dbf"));
        const QJsonArray expectedFields{QJsonArray{"ADDRESS", "M", 10}, QJsonArray{"CITY", "C", 35},
                                        QJsonArray{"STATE", "C", 2}, QJsonArray{"ZIP", "C", 10}};
        QCOMPARE(table.value("fields").toArray(), expectedFields);
        const QJsonArray records = table.value("records").toArray();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].toObject().value("CITY").toString(), QString());
        QCOMPARE(records[0].toObject().value("deleted").toBool(), false);

        f.Get<QPushButton>("btnExit")->click();
        QVERIFY(!f.InDatabaseMode());
        QCOMPARE(f.Edit("editCity")->text(), QStringLiteral("Plainville"));
        QCOMPARE(f.Get<QPlainTextEdit>("memoAddress")->toPlainText(), QStringLiteral("Kept Name"));
        QVERIFY(!f.window->findChild<QAction*>("MIMassPrint")->isEnabled());
        QVERIFY(!f.Table().Active());
    }

    void cancelledDialogChangesNothing() {
        DatabaseFixture& f = *f_;
        const std::string folder = f.settings.AddressFolder;
        f.OpenDatabase(QString());
        QVERIFY(!f.InDatabaseMode());
        QCOMPARE(f.settings.AddressFolder, folder);
    }

    // Typed and posted from the keyboard, read back by another tool.
    void typedRecordIsPosted() {
        DatabaseFixture& f = *f_;
        f.OpenDatabase(f.Path("typed.dbf"));
        f.TypeMemo({"Jane Roe", "12 Elm St"});
        f.TypeInto("tzeditCity", "Dayton");
        f.TypeInto("tzeditState", "OH");
        f.TypeInto("tzeditZip", "454021234");
        QVERIFY(f.Mode().DataSource().Editing());
        QTest::keyClick(f.Edit("tzeditZip"), Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(!f.Mode().DataSource().Editing());

        // Insert a second record from the navigator and post it there too.
        f.Press(TzNavigator::Insert);
        f.TypeMemo({"Second"});
        f.TypeInto("tzeditCity", "Akron");
        f.Press(TzNavigator::Post);
        QCOMPARE(f.Order(), QStringLiteral("2/2"));

        const QJsonArray records = Records(f.Path("typed.dbf"));
        QCOMPARE(records.size(), 2);
        const QJsonObject first = records[0].toObject();
        QCOMPARE(first.value("ADDRESS").toString(), QStringLiteral("Jane Roe\r\n12 Elm St"));
        QCOMPARE(first.value("CITY").toString(), QStringLiteral("Dayton"));
        QCOMPARE(first.value("STATE").toString(), QStringLiteral("OH"));
        QCOMPARE(first.value("ZIP").toString(), QStringLiteral("45402-1234"));
        QCOMPARE(records[1].toObject().value("ADDRESS").toString(), QStringLiteral("Second"));

        // The keys of the navigator move between the records.
        QTest::keyClick(f.Edit("tzeditCity"), Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(f.Order(), QStringLiteral("1/2"));
        QCOMPARE(f.Edit("tzeditCity")->text(), QStringLiteral("Dayton"));
        QTest::keyClick(f.Edit("tzeditCity"), Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(f.Order(), QStringLiteral("2/2"));
        QCOMPARE(f.window->RecipientNameLines(), QStringList{"Second"});
        QCOMPARE(f.window->RecipientCity(), QStringLiteral("Akron"));
    }

    // A state wider than the table's field is cut to its width on post.
    void valuesAreCutToTheTablesWidths() {
        DatabaseFixture& f = *f_;
        f.OpenDatabase(f.Path("narrow.dbf"));
        f.TypeInto("tzeditState", "Ohio");
        f.Press(TzNavigator::Post);
        QCOMPARE(f.Edit("tzeditState")->text(), QStringLiteral("Oh"));
        QCOMPARE(Records(f.Path("narrow.dbf"))[0].toObject().value("STATE").toString(),
                 QStringLiteral("Oh"));
    }

    void fifthMemoLineVanishes() {
        DatabaseFixture& f = *f_;
        f.OpenDatabase(f.Path("lines.dbf"));
        f.TypeMemo({"one", "two", "three", "four", "five"});
        QCOMPARE(f.window->RecipientNameLines(), (QStringList{"one", "two", "three", "four"}));
        f.Press(TzNavigator::Post);
        QCOMPARE(Records(f.Path("lines.dbf"))[0].toObject().value("ADDRESS").toString(),
                 QStringLiteral("one\r\ntwo\r\nthree\r\nfour"));
    }

    void escapeCancelsAnEditThenCloses() {
        DatabaseFixture& f = *f_;
        f.OpenDatabase(f.Path("esc.dbf"));
        f.TypeInto("tzeditCity", "Typo");
        QTest::keyClick(f.Edit("tzeditCity"), Qt::Key_Escape);
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.Edit("tzeditCity")->text(), QString());
        QVERIFY(!f.Mode().DataSource().Editing());
        QTest::keyClick(f.Edit("tzeditCity"), Qt::Key_Escape);
        QVERIFY(!f.window->isVisible());
        QCOMPARE(Records(f.Path("esc.dbf"))[0].toObject().value("CITY").toString(), QString());
    }

    // Delete asks, a marked record comes back without a question, and Exit
    // packs the marked records away.
    void deleteRestoreAndPack() {
        DatabaseFixture& f = *f_;
        QVERIFY(MakeWithDbf(f.Path("del.dbf"), "db3"));
        f.OpenDatabase(f.Path("del.dbf"));
        QCOMPARE(f.Order(), QStringLiteral("1/2"));
        auto* mark = f.Get<QLabel>("labelDeleted");
        QVERIFY(mark->isHidden());

        f.prompts.confirmAnswers = {false};
        f.Press(TzNavigator::Delete);
        QCOMPARE(f.prompts.calls.last().kind, QStringLiteral("ConfirmOkCancel"));
        QCOMPARE(f.prompts.calls.last().text, QStringLiteral("Delete Record ?"));
        QVERIFY(!f.Table().Deleted());

        f.prompts.confirmAnswers = {true};
        f.Press(TzNavigator::Delete);
        QVERIFY(f.Table().Deleted());
        QVERIFY(!mark->isHidden());
        QCOMPARE(Records(f.Path("del.dbf"))[1].toObject().value("deleted").toBool(), true);

        const qsizetype asked = f.prompts.calls.size();
        f.Press(TzNavigator::Delete);
        QCOMPARE(f.prompts.calls.size(), asked);
        QVERIFY(!f.Table().Deleted());
        QVERIFY(mark->isHidden());

        f.prompts.confirmAnswers = {true};
        QTest::keyClick(f.Edit("tzeditCity"), Qt::Key_Delete, Qt::ControlModifier);
        QVERIFY(f.Table().Deleted());
        QCOMPARE(f.Order(), QStringLiteral("1/2"));
        f.Get<QPushButton>("btnExit")->click();
        const QJsonArray records = Records(f.Path("del.dbf"));
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].toObject().value("CITY").toString(), QStringLiteral("Akron"));
        f.OpenDatabase(f.Path("del.dbf"));
        QCOMPARE(f.Order(), QStringLiteral("1/1"));
    }

    // An edit in hand is written before the window leaves the record.
    void unpostedEditIsKept_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Exit") << "exit";
        QTest::newRow("close") << "close";
        QTest::newRow("another database") << "another";
        QTest::newRow("next record") << "next";
    }

    void unpostedEditIsKept() {
        QFETCH(QString, how);
        DatabaseFixture& f = *f_;
        QVERIFY(MakeWithDbf(f.Path("keep.dbf"), "db3"));
        f.OpenDatabase(f.Path("keep.dbf"));
        f.prompts.confirmAnswers = {true};
        f.Press(TzNavigator::Next);
        f.Press(TzNavigator::Delete); // a marked record stays marked on close
        f.Press(TzNavigator::First);
        f.TypeInto("tzeditCity", "Springfield");
        QVERIFY(f.Mode().DataSource().Editing());
        if (how == "exit") {
            f.Get<QPushButton>("btnExit")->click();
        } else if (how == "close") {
            f.window->close();
            QVERIFY(!f.window->isVisible());
        } else if (how == "another") {
            f.OpenDatabase(f.Path("other.dbf"));
            QCOMPARE(f.Order(), QStringLiteral("1/1"));
        } else {
            f.Press(TzNavigator::Next);
        }
        const QJsonArray records = Records(f.Path("keep.dbf"));
        QCOMPARE(records[0].toObject().value("CITY").toString(), QStringLiteral("Springfield"));
        QCOMPARE(records.size(), how == "exit" ? 1 : 2);
    }

    void longPathIsCut() {
        DatabaseFixture& f = *f_;
        QString folder = f.sandbox.dir.path();
        for (const char* part : {"customers", "north-region", "ohio-offices", "2026", "legal",
                                 "certified-mail", "address-databases"}) {
            folder += "/" + QString::fromLatin1(part);
        }
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + "/recipients.dbf";
        f.OpenDatabase(path);
        auto* label = f.Get<QLabel>("labelDatabaseName");
        const QString shown = label->text();
        QVERIFY2(shown.startsWith(".../"), qPrintable(shown));
        const QString rest = shown.mid(4);
        QVERIFY(path.endsWith("/" + rest));
        QVERIFY(rest.endsWith("address-databases/recipients.dbf"));
        QVERIFY(label->fontMetrics().horizontalAdvance(rest) <= 251);
        // One folder more would have been too wide.
        const QString longer = path.left(path.size() - rest.size() - 1);
        const QString withOneMore = longer.mid(longer.lastIndexOf('/') + 1) + "/" + rest;
        QVERIFY(label->fontMetrics().horizontalAdvance(withOneMore) > 251);
    }

    void cutPathRule_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("cut");
        QTest::newRow("short") << "/a/b.dbf" << false;
        QTest::newRow("long") << "/" + QString("folder/").repeated(20) + "b.dbf" << true;
        // Nothing to remove: the mark in front still says the name is cut.
        QTest::newRow("one long name") << QString("x").repeated(200) + ".dbf" << true;
    }

    void cutPathRule() {
        QFETCH(QString, path);
        QFETCH(bool, cut);
        const QFontMetrics metrics(QApplication::font());
        const QString shown = CutDatabasePath(path, metrics);
        QCOMPARE(shown.startsWith(".../"), cut);
        QVERIFY(path.endsWith(cut ? shown.mid(4) : shown));
    }

    // Tables that lack a field, or have one of another type, are refused by
    // name; the window goes back to its plain fields.
    void tableWithoutTheFourFields_data() {
        QTest::addColumn<QString>("missing");
        QTest::addColumn<QString>("wrong");
        QTest::addColumn<QString>("message");
        QTest::newRow("no CITY") << "CITY"
                                 << ""
                                 << "is not an address database: it has no field CITY.";
        QTest::newRow("numeric CITY")
            << ""
            << "CITY"
            << "is not an address database: its field CITY must be a character field, but it is "
               "of type Numeric, width: 8 decimals: 0.";
        QTest::newRow("numeric ZIP")
            << ""
            << "ZIP"
            << "is not an address database: its field ZIP must be a character field, but it is "
               "of type Numeric, width: 8 decimals: 0.";
        QTest::newRow("no ADDRESS") << "ADDRESS"
                                    << ""
                                    << "is not an address database: it has no field ADDRESS.";
    }

    void tableWithoutTheFourFields() {
        QFETCH(QString, missing);
        QFETCH(QString, wrong);
        QFETCH(QString, message);
        DatabaseFixture& f = *f_;
        QVERIFY(MakeWithDbf(f.Path("bad.dbf"), "db3", missing, wrong));
        f.Edit("editCity")->setText("Plainville");
        f.OpenDatabase(f.Path("bad.dbf"));
        QCOMPARE(f.prompts.Kinds(), (QStringList{"OpenFile", "Error"}));
        QCOMPARE(f.prompts.calls[1].text, "\"" + f.Path("bad.dbf") + "\" " + message);
        QVERIFY(!f.InDatabaseMode());
        QVERIFY(!f.Get<QPlainTextEdit>("memoAddress")->isHidden());
        QCOMPARE(f.Edit("editCity")->text(), QStringLiteral("Plainville"));
        QVERIFY(!f.Table().Active());
        QVERIFY(!f.window->findChild<QAction*>("MIMassPrint")->isEnabled());
        QCOMPARE(f.window->RecipientCity(), QStringLiteral("Plainville"));
    }

    // A file that is no table ends in the engine's error.
    void fileThatIsNoTable() {
        DatabaseFixture& f = *f_;
        QFile text(f.Path("notes.dbf"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("just some text, not a table at all\n");
        text.close();
        QList<int> exits;
        f.window->SetExitHook([&](int code) { exits.append(code); });
        const EngineErrorsHaltTheProgram halt(*f.window);
        f.OpenDatabase(f.Path("notes.dbf"));
        QCOMPARE(f.prompts.Kinds(), (QStringList{"OpenFile", "Halted"}));
        QVERIFY2(f.prompts.calls[1].text.startsWith("Error # "),
                 qPrintable(f.prompts.calls[1].text));
        QCOMPARE(exits.size(), 1);
        QVERIFY(!f.InDatabaseMode());
    }

    // Tables made by another tool, dBASE III with a .dbt memo and FoxPro with
    // an .fpt memo, browse and take edits.
    void tablesOfAnotherTool_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("dBASE III") << "db3";
        QTest::newRow("FoxPro") << "fp";
    }

    void tablesOfAnotherTool() {
        QFETCH(QString, kind);
        DatabaseFixture& f = *f_;
        QVERIFY(MakeWithDbf(f.Path("tool.dbf"), kind));
        f.OpenDatabase(f.Path("tool.dbf"));
        QVERIFY(f.InDatabaseMode());
        QCOMPARE(f.Order(), QStringLiteral("1/2"));
        QCOMPARE(f.window->RecipientNameLines(), (QStringList{"Ann Lee", "1 Main St"}));
        f.Press(TzNavigator::Last);
        QCOMPARE(f.window->RecipientNameLines(), (QStringList{"Bob Roe", "Suite 5", "2 Oak Ave"}));
        QCOMPARE(f.window->RecipientZipText(), QStringLiteral("44301-1234"));
        f.TypeMemo({"Bob Roe", "Suite 6"});
        f.Press(TzNavigator::Post);
        QCOMPARE(Records(f.Path("tool.dbf"))[1].toObject().value("ADDRESS").toString(),
                 QStringLiteral("Bob Roe\r\nSuite 6"));
    }

    // Two programs on one database: a posted edit shows in the other after
    // Refresh; a record the other holds refuses the post, and nothing is lost.
    void twoProgramsOnOneDatabase() {
        DatabaseFixture& f = *f_;
        QVERIFY(MakeWithDbf(f.Path("shared.dbf"), "db3"));
        f.OpenDatabase(f.Path("shared.dbf"));

        tables::TTzDbf other("TzDbfAddress");
        addresses::ConfigureAddressTable(other);
        other.SetDbfFileName(f.Path("shared.dbf").toStdString());
        other.Open();
        other.Edit();
        other.SetFieldAsString("city", "Cleveland");
        other.Post();
        QCOMPARE(f.Edit("tzeditCity")->text(), QStringLiteral("Dayton"));
        f.Press(TzNavigator::Refresh);
        QCOMPARE(f.Edit("tzeditCity")->text(), QStringLiteral("Cleveland"));

        {
            const ForeignRecordLock lock(f.Path("shared.dbf"), f.Table().HeaderLength(),
                                         f.Table().RecordLength(), 1);
            QVERIFY(lock.Held());
            f.TypeInto("tzeditCity", "Toledo");
            f.Press(TzNavigator::Post);
            QCOMPARE(f.prompts.calls.last().kind, QStringLiteral("Information"));
            QCOMPARE(f.prompts.calls.last().text, QStringLiteral("Lock failed [Post]"));
            QVERIFY(f.Mode().DataSource().Editing());
            QCOMPARE(f.Edit("tzeditCity")->text(), QStringLiteral("Toledo"));
            // Exit keeps the window in database mode while the edit cannot be written.
            f.Get<QPushButton>("btnExit")->click();
            QVERIFY(f.InDatabaseMode());
            QCOMPARE(f.prompts.calls.last().text, QStringLiteral("Lock failed [Post]"));
            // So does closing the window.
            f.window->close();
            QVERIFY(f.window->isVisible());
            QCOMPARE(f.Edit("tzeditCity")->text(), QStringLiteral("Toledo"));
        }
        f.Press(TzNavigator::Post);
        QVERIFY(!f.Mode().DataSource().Editing());
        other.Refresh();
        QCOMPARE(other.FieldAsString("city"), std::string("Toledo"));
        other.Close();
    }

    // Exit while another program has the database open leaves the marked
    // records for a later Exit instead of ending the program.
    void exitWhileAnotherProgramUsesIt() {
        DatabaseFixture& f = *f_;
        QVERIFY(MakeWithDbf(f.Path("busy.dbf"), "db3"));
        f.OpenDatabase(f.Path("busy.dbf"));
        f.prompts.confirmAnswers = {true};
        f.Press(TzNavigator::Delete);
        tables::TTzDbf other("TzDbfAddress");
        addresses::ConfigureAddressTable(other);
        other.SetDbfFileName(f.Path("busy.dbf").toStdString());
        other.Open();
        QList<int> exits;
        f.window->SetExitHook([&](int code) { exits.append(code); });
        const EngineErrorsHaltTheProgram halt(*f.window);
        f.Get<QPushButton>("btnExit")->click();
        QVERIFY(exits.isEmpty());
        QVERIFY(!f.InDatabaseMode());
        QCOMPARE(f.prompts.calls.last().kind, QStringLiteral("Information"));
        other.Close();
        QCOMPARE(Records(f.Path("busy.dbf")).size(), 2);
        f.OpenDatabase(f.Path("busy.dbf"));
        f.Get<QPushButton>("btnExit")->click();
        QCOMPARE(Records(f.Path("busy.dbf")).size(), 1);
    }

    // Paste fills the record's fields; the record's lines move down.
    void pasteFillsTheRecord() {
        DatabaseFixture& f = *f_;
        QVERIFY(MakeWithDbf(f.Path("paste.dbf"), "db3"));
        f.OpenDatabase(f.Path("paste.dbf"));
        f.Press(TzNavigator::Last);
        f.Edit("editCity")->setText("Plain");
        f.window->PasteRecipient("Carl Doe\r\nSpringfield, IL 62704\r\n");
        QCOMPARE(f.window->RecipientNameLines(),
                 (QStringList{"Carl Doe", "", "Suite 5", "2 Oak Ave"}));
        QCOMPARE(f.window->RecipientCity(), QStringLiteral("Springfield"));
        QCOMPARE(f.window->RecipientState(), QStringLiteral("IL"));
        QCOMPARE(f.Edit("editCity")->text(), QString()); // cleared, as Clear does
        f.Press(TzNavigator::Post);
        QCOMPARE(Records(f.Path("paste.dbf"))[1].toObject().value("CITY").toString(),
                 QStringLiteral("Springfield"));
    }

    // Three records, one of them marked deleted: three mailers with the next
    // numbers, three log rows, the sequence saved after each, the position
    // on the last record.
    void massPrintPrintsEveryRecord() {
        DatabaseFixture& f = *f_;
        QVERIFY(MakeWithDbf(f.Path("three.dbf"), "db3"));
        f.OpenDatabase(f.Path("three.dbf"));
        f.Press(TzNavigator::Insert);
        f.TypeMemo({"Cy Poe", "9 Pine Rd"});
        f.TypeInto("tzeditCity", "Toledo");
        f.TypeInto("tzeditState", "OH");
        f.TypeInto("tzeditZip", "43604");
        f.Press(TzNavigator::First);
        f.prompts.confirmAnswers = {true};
        f.Press(TzNavigator::Next);
        f.Press(TzNavigator::Delete);
        const QString pdf = f.Path("mailer.pdf");
        f.PrintInto(pdf);
        f.Edit("editRe")->setText("Lease 12");

        QStringList savedSerials;
        ModalDriver driver;
        driver.Expect("TF_Mailer", [&](QDialog* dialog) {
            savedSerials.append(QString::fromStdString(f.settings.SerialNum));
            Click(dialog, "btnOK");
        });
        driver.Expect("TF_Mailer", [&](QDialog* dialog) {
            QCOMPARE(f.Order(), QStringLiteral("2/3"));
            Child<QCheckBox>(dialog, "cbDontShow")->setChecked(true);
            Click(dialog, "btnOK");
        });
        f.prompts.confirmAnswers = {true};
        f.window->findChild<QAction*>("MIMassPrint")->trigger();
        QVERIFY(driver.Done());
        QCOMPARE(f.prompts.calls.last().text,
                 QStringLiteral("You are about to print 3 labels.\n\rWould you like to continue?"));
        QCOMPARE(savedSerials, QStringList{"00000001"});
        QCOMPARE(f.Order(), QStringLiteral("3/3"));
        QCOMPARE(f.settings.SerialNum, std::string("00000003"));
        QVERIFY(f.sandbox.ReadSettings().contains("SerialNum=00000003"));
        QVERIFY(f.window->EntryLooksPrinted());

        const QJsonArray rows = Records(QString::fromStdString(f.window->ReportTableFile()));
        QCOMPARE(rows.size(), 3);
        const char* serials[] = {"00000001", "00000002", "00000003"};
        const char* names[] = {"Ann Lee", "Bob Roe", "Cy Poe"};
        for (int i = 0; i < 3; ++i) {
            const QJsonObject row = rows[i].toObject();
            QCOMPARE(row.value("MAILERNUM").toString(), Grouped(serials[i]));
            QCOMPARE(row.value("SENTNAME0").toString(), QString::fromLatin1(names[i]));
            QCOMPARE(row.value("RE").toString(), QStringLiteral("Lease 12"));
        }
        QCOMPARE(rows[2].toObject().value("ZIP").toString(), QStringLiteral("43604"));
        // The printer's file holds the last mailer.
        QVERIFY(PdfText(pdf).contains("Cy Poe"));
    }

    void massPrintCancelledAtTheFirstDialog() {
        DatabaseFixture& f = *f_;
        QVERIFY(MakeWithDbf(f.Path("none.dbf"), "db3"));
        f.OpenDatabase(f.Path("none.dbf"));
        f.Press(TzNavigator::Last);
        f.PrintInto(f.Path("none.pdf"));
        const std::string serial = f.settings.SerialNum;
        ModalDriver driver;
        driver.Expect("TF_Mailer", [](QDialog* dialog) { Click(dialog, "btnCancel"); });
        f.prompts.confirmAnswers = {true};
        f.window->findChild<QAction*>("MIMassPrint")->trigger();
        QVERIFY(driver.Done());
        QCOMPARE(f.settings.SerialNum, serial);
        QVERIFY(!QFileInfo::exists(f.Path("none.pdf")));
        QVERIFY(!QFileInfo::exists(QString::fromStdString(f.window->ReportTableFile())));
        QCOMPARE(f.Order(), QStringLiteral("1/2"));
        QVERIFY(!f.window->EntryLooksPrinted());
    }

    // The progress window's Cancel stops the run before the next mailer,
    // which uses no number.
    void massPrintStoppedFromTheProgressWindow() {
        DatabaseFixture& f = *f_;
        QVERIFY(MakeWithDbf(f.Path("stop.dbf"), "db3"));
        f.OpenDatabase(f.Path("stop.dbf"));
        f.PrintInto(f.Path("stop.pdf"));
        ModalDriver driver;
        driver.Expect("TF_Mailer", [&](QDialog* dialog) {
            auto* progress = f.window->findChild<QProgressDialog*>("MassPrintProgress");
            QVERIFY(progress != nullptr);
            QCOMPARE(progress->windowTitle(), QStringLiteral("Mass Print"));
            QCOMPARE(progress->labelText(), QStringLiteral("Mailer 1 of 2"));
            progress->cancel();
            Click(dialog, "btnOK");
        });
        f.prompts.confirmAnswers = {true};
        f.window->findChild<QAction*>("MIMassPrint")->trigger();
        QVERIFY(driver.Done());
        QCOMPARE(f.settings.SerialNum, std::string("00000001"));
        const QJsonArray rows = Records(QString::fromStdString(f.window->ReportTableFile()));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].toObject().value("MAILERNUM").toString(), Grouped("00000001"));
        QCOMPARE(f.Order(), QStringLiteral("2/2"));
    }

    // An edit in hand is written before the run, also when the question is
    // answered No.
    void massPrintWritesAnEditInHandFirst() {
        DatabaseFixture& f = *f_;
        QVERIFY(MakeWithDbf(f.Path("edit.dbf"), "db3"));
        f.OpenDatabase(f.Path("edit.dbf"));
        f.TypeInto("tzeditCity", "Kettering");
        f.prompts.confirmAnswers = {false};
        f.window->findChild<QAction*>("MIMassPrint")->trigger();
        QCOMPARE(f.prompts.calls.last().text,
                 QStringLiteral("You are about to print 2 labels.\n\rWould you like to continue?"));
        QCOMPARE(Records(f.Path("edit.dbf"))[0].toObject().value("CITY").toString(),
                 QStringLiteral("Kettering"));
    }

    // Tables of another tool print from database mode like any other.
    void tablesOfAnotherToolPrint_data() { tablesOfAnotherTool_data(); }

    void tablesOfAnotherToolPrint() {
        QFETCH(QString, kind);
        DatabaseFixture& f = *f_;
        QVERIFY(MakeWithDbf(f.Path("tool.dbf"), kind));
        f.OpenDatabase(f.Path("tool.dbf"));
        f.PrintInto(f.Path("tool.pdf"));
        ModalDriver driver;
        driver.Expect("TF_Mailer", [&](QDialog* dialog) {
            Child<QCheckBox>(dialog, "cbDontShow")->setChecked(true);
            Click(dialog, "btnOK");
        });
        f.prompts.confirmAnswers = {true};
        f.window->findChild<QAction*>("MIMassPrint")->trigger();
        QVERIFY(driver.Done());
        const QJsonArray rows = Records(QString::fromStdString(f.window->ReportTableFile()));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1].toObject().value("SENTNAME2").toString(), QStringLiteral("2 Oak Ave"));
        QCOMPARE(rows[1].toObject().value("ZIP").toString(), QStringLiteral("44301-1234"));
        QVERIFY(PdfText(f.Path("tool.pdf")).contains("Bob Roe"));
    }

    // Print prints the record on screen, not the hidden plain fields.
    void printTakesTheRecordOnScreen() {
        DatabaseFixture& f = *f_;
        QVERIFY(MakeWithDbf(f.Path("one.dbf"), "fp"));
        f.Get<QPlainTextEdit>("memoAddress")->setPlainText("Plain Person");
        f.OpenDatabase(f.Path("one.dbf"));
        f.Press(TzNavigator::Last);
        f.PrintInto(f.Path("one.pdf"));
        ModalDriver driver;
        driver.Expect("TF_Mailer", [](QDialog* dialog) { Click(dialog, "btnOK"); });
        Click(f.window.get(), "btnPrint");
        QVERIFY(driver.Done());
        const QJsonArray rows = Records(QString::fromStdString(f.window->ReportTableFile()));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].toObject().value("SENTNAME0").toString(), QStringLiteral("Bob Roe"));
        QCOMPARE(rows[0].toObject().value("CITY").toString(), QStringLiteral("Akron"));
        QCOMPARE(rows[0].toObject().value("ZIP").toString(), QStringLiteral("44301-1234"));
        QVERIFY(PdfText(f.Path("one.pdf")).contains("Bob Roe"));
        QVERIFY(f.window->EntryLooksPrinted());
    }

    // An import into the open database closes it while it runs and shows it
    // again afterwards with its new records counted.
    void importIntoTheOpenDatabase() {
        DatabaseFixture& f = *f_;
        QVERIFY(MakeWithDbf(f.Path("open.dbf"), "db3"));
        f.OpenDatabase(f.Path("open.dbf"));
        f.TypeInto("tzeditCity", "Xenia");
        QFile text(f.Path("more.csv"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("\"Dee Fox\",\"3 Ash Ct\",\"\",\"\",\"Kent\",\"OH\",\"44240\"\r\n");
        text.close();
        f.prompts.fileAnswers = {f.Path("more.csv"), f.Path("open.dbf")};
        f.prompts.threeWayAnswers = {2}; // Append
        f.window->findChild<QAction*>("MIImport")->trigger();
        QVERIFY(f.InDatabaseMode());
        QVERIFY(f.Table().Active());
        QCOMPARE(f.Order(), QStringLiteral("1/3"));
        QCOMPARE(f.Edit("tzeditCity")->text(), QStringLiteral("Xenia"));
        const QJsonArray records = Records(f.Path("open.dbf"));
        QCOMPARE(records.size(), 3);
        QCOMPARE(records[2].toObject().value("CITY").toString(), QStringLiteral("Kent"));
    }

    void navigatorButtons_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QKeySequence>("key");
        const struct {
            TzNavigator::Button button;
            const char* name;
            const char* hint;
            QKeySequence key;
        } rows[] = {
            {TzNavigator::First, "nbFirst", "First record", QKeySequence("Ctrl+Home")},
            {TzNavigator::Prior, "nbPrior", "Prior record", QKeySequence("Ctrl+PgUp")},
            {TzNavigator::Next, "nbNext", "Next record", QKeySequence("Ctrl+PgDown")},
            {TzNavigator::Last, "nbLast", "Last record", QKeySequence("Ctrl+End")},
            {TzNavigator::Insert, "nbInsert", "Insert record", QKeySequence("Ins")},
            {TzNavigator::Delete, "nbDelete", "Delete record", QKeySequence("Ctrl+Del")},
            {TzNavigator::Post, "nbPost", "Post edit", QKeySequence("Ctrl+Return")},
            {TzNavigator::Cancel, "nbCancel", "Cancel edit", QKeySequence("Esc")},
            {TzNavigator::Refresh, "nbRefresh", "Refresh data", QKeySequence("F5")},
        };
        for (const auto& row : rows) {
            QTest::newRow(row.name) << int(row.button) << row.name << row.hint << row.key;
        }
    }

    // Nine buttons in the navigator's order, each with its hint, and the keys
    // that press them from the database fields.
    void navigatorButtons() {
        QFETCH(int, button);
        QFETCH(QString, name);
        QFETCH(QString, hint);
        QFETCH(QKeySequence, key);
        DatabaseFixture& f = *f_;
        auto* navigator = f.Get<TzNavigator>("tznavigator1");
        const auto buttons = navigator->findChildren<QToolButton*>();
        QCOMPARE(buttons.size(), qsizetype(9));
        QToolButton* own = navigator->ButtonOf(static_cast<TzNavigator::Button>(button));
        QCOMPARE(own, buttons[button]);
        QCOMPARE(own->objectName(), name);
        QCOMPARE(own->toolTip(), hint);
        QVERIFY(!own->icon().isNull() || !own->text().isEmpty());
        QCOMPARE(TzNavigator::KeyOf(static_cast<TzNavigator::Button>(button)), key);
    }

private:
    std::unique_ptr<DatabaseFixture> f_;
};

QTEST_MAIN(AddressDatabaseTest)
#include "test_address_database.moc"
