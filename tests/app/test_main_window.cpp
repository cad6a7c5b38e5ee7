// The main window: fees and total, recipient and sender, the two looks of the
// entry, the menu, key preview and the close that saves the settings.

#include "MainFixture.h"

#include "EngineErrorHalt.h"
#include "EntryFields.h"
#include "LabelNumber.h"
#include "TTzDbf.h"
#include "U_Mailer.h"
#include "Widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextLayout>

using namespace vell3;
using namespace vell3::test;

namespace {

QString Money(const char* spaces, const char* digits) {
    return QString::fromLatin1(spaces) + QString::fromLatin1(digits);
}

constexpr const char* k10 = "          ";
constexpr const char* k8 = "        ";

int PageCount(const QString& pdf) {
    QProcess info;
    info.start("pdfinfo", {pdf});
    info.waitForFinished(20000);
    for (const QByteArray& line : info.readAllStandardOutput().split('\n')) {
        if (line.startsWith("Pages:")) {
            return line.mid(6).trimmed().toInt();
        }
    }
    return -1;
}

int KeyLines(const QByteArray& file) {
    int count = 0;
    for (const QByteArray& line : file.split('\n')) {
        if (line.contains('=')) {
            ++count;
        }
    }
    return count;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        fixture_ = std::make_unique<MainFixture>();
        QVERIFY(fixture_->Start());
    }
    void cleanup() { fixture_.reset(); }

    void startFillsFeesFromDefaults() {
        MainFixture& f = *fixture_;
        QCOMPARE(f.Edit("editPostage")->text(), Money(k10, "0.39"));
        QCOMPARE(f.Edit("editCertFee")->text(), Money(k10, "2.40"));
        QCOMPARE(f.Edit("editReturn")->text(), Money(k10, "1.85"));
        QCOMPARE(f.Edit("editTotal")->text(), Money(k10, "4.64"));
        QCOMPARE(f.Edit("editRestricted")->text(), QString());
        QVERIFY(!f.Edit("editRestricted")->isEnabled());
        QVERIFY(!f.Get<QLabel>("lblRestricted")->isEnabled());
        QVERIFY(!f.Get<QCheckBox>("cbRestricted")->isChecked());
        QVERIFY(f.Edit("editTotal")->isReadOnly());
        QVERIFY(!(f.Edit("editTotal")->focusPolicy() & Qt::TabFocus));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Vell3 Certified Mail"));
        QVERIFY(QDir(f.sandbox.programFolder() + "Addresses").exists());
        QVERIFY(QDir(f.sandbox.programFolder() + "Reports").exists());
        QCOMPARE(QString::fromStdString(f.window->ReportTableFile()),
                 f.sandbox.programFolder() + "Reports/report3.dbf");
        QVERIFY(f.settings.ShowMailerBeforePrint);
    }

    void leavingFeeField_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("fieldAfter");
        QTest::addColumn<QString>("total");
        QTest::newRow("2.4 gets two decimals") << "editCertFee"
                                               << "2.4" << Money(k10, "2.40") << Money(k10, "4.64");
        QTest::newRow("abc is blank, ignored") << "editPostage"
                                               << "abc"
                                               << " " << Money(k10, "4.25");
        QTest::newRow("zero is blank") << "editPostage"
                                       << "0"
                                       << " " << Money(k10, "4.25");
        QTest::newRow("negative counts once") << "editPostage"
                                              << "-1"
                                              << " " << Money(k10, "3.25");
        QTest::newRow("no rounding") << "editReturn"
                                     << "1.005" << Money(k10, "1.005") << Money(k10, "3.795");
        QTest::newRow("tens take eight spaces")
            << "editPostage"
            << "12.5" << Money(k8, "12.50") << Money(k8, "16.75");
        QTest::newRow("currency sign does not read") << "editPostage"
                                                     << "$5"
                                                     << " " << Money(k10, "4.25");
        QTest::newRow("comma does not read") << "editPostage"
                                             << "2,5"
                                             << " " << Money(k10, "4.25");
        QTest::newRow("blanks around") << "editPostage"
                                       << " 3 " << Money(k10, "3.00") << Money(k10, "7.25");
        QTest::newRow("exponent") << "editCertFee"
                                  << "1e1" << Money(k8, "10.00") << Money(k8, "12.24");
    }

    void leavingFeeField() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, fieldAfter);
        QFETCH(QString, total);
        MainFixture& f = *fixture_;
        f.TypeAndLeave(field.toLatin1().constData(), typed);
        QCOMPARE(f.Edit(field.toLatin1().constData())->text(), fieldAfter);
        QCOMPARE(f.Edit("editTotal")->text(), total);
    }

    void negativeFeeDropsOutAtNextRecomputation() {
        MainFixture& f = *fixture_;
        f.TypeAndLeave("editPostage", "-1");
        QCOMPARE(f.Edit("editTotal")->text(), Money(k10, "3.25"));
        f.TypeAndLeave("editCertFee", "2.40");
        QCOMPARE(f.Edit("editTotal")->text(), Money(k10, "4.25"));
    }

    void allFeesBlankTotalZero() {
        MainFixture& f = *fixture_;
        for (const char* name : {"editPostage", "editCertFee", "editReturn"}) {
            f.TypeAndLeave(name, "");
        }
        for (const char* name : {"editPostage", "editCertFee", "editReturn"}) {
            QCOMPARE(f.Edit(name)->text(), QStringLiteral(" "));
        }
        // The total of the last leave still counted the field then being left.
        f.TypeAndLeave("editPostage", "");
        QCOMPARE(f.Edit("editTotal")->text(), Money(k10, "0.00"));
    }

    void typingWithoutLeavingKeepsTextAndTotal() {
        MainFixture& f = *fixture_;
        QLineEdit* postage = f.Edit("editPostage");
        postage->setFocus(Qt::TabFocusReason);
        postage->selectAll();
        QTest::keyClicks(postage, "5");
        QCOMPARE(f.window->FeeTexts()[0], QStringLiteral("5"));
        QCOMPARE(f.Edit("editTotal")->text(), Money(k10, "4.64"));
    }

    // Going to the menu from the keyboard is no leaving of the field: under a
    // style that moves the focus into the menu bar the fee still stands as typed.
    void menuFromKeyboardDoesNotLeaveFeeField() {
        MainFixture& f = *fixture_;
        QStyle* previous = QApplication::style();
        const QString previousName = previous->name();
        QApplication::setStyle(QStringLiteral("Windows"));
        QLineEdit* postage = f.Edit("editPostage");
        postage->setFocus(Qt::TabFocusReason);
        postage->selectAll();
        QTest::keyClicks(postage, "5");
        QTest::keyClick(postage, Qt::Key_O, Qt::AltModifier);
        const bool menuTookFocus = QApplication::focusWidget() == f.window->menuBar();
        if (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        }
        QApplication::setStyle(previousName);
        QVERIFY(menuTookFocus);
        QCOMPARE(postage->text(), QStringLiteral("5"));
        QCOMPARE(f.Edit("editTotal")->text(), Money(k10, "4.64"));
    }

    // Escape while the menu bar has the keyboard leaves the menu, not the program.
    void escapeInMenuBarKeepsWindowOpen() {
        MainFixture& f = *fixture_;
        const QString previousName = QApplication::style()->name();
        QApplication::setStyle(QStringLiteral("Windows"));
        QLineEdit* city = f.Edit("editCity");
        city->setFocus(Qt::TabFocusReason);
        QTest::keyClick(city, Qt::Key_Alt);
        const bool menuTookFocus = QApplication::focusWidget() == f.window->menuBar();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        const bool stillOpen = f.window->isVisible();
        QApplication::setStyle(previousName);
        QVERIFY(menuTookFocus);
        QVERIFY(stillOpen);
        QVERIFY(f.sandbox.ReadSettings() == kQuietSettings);
    }

    void restrictedDeliverySwitch() {
        MainFixture& f = *fixture_;
        auto* box = f.Get<QCheckBox>("cbRestricted");
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(f.Edit("editRestricted")->isEnabled());
        QVERIFY(f.Get<QLabel>("lblRestricted")->isEnabled());
        QCOMPARE(f.Edit("editRestricted")->text(), Money(k10, "3.50"));
        QCOMPARE(f.Edit("editTotal")->text(), Money(k10, "8.14"));
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(!f.Edit("editRestricted")->isEnabled());
        QCOMPARE(f.Edit("editRestricted")->text(), QStringLiteral(" "));
        QCOMPARE(f.Edit("editTotal")->text(), Money(k10, "4.64"));
    }

    void saveValuesTakesTrimmedFees() {
        MainFixture& f = *fixture_;
        f.TypeAndLeave("editPostage", "0.5");
        f.TypeAndLeave("editCertFee", "");
        f.window->findChild<QAction*>("SaveValues1")->trigger();
        QCOMPARE(f.settings.DefaultPostage, std::string("0.50"));
        QCOMPARE(f.settings.DefaultCertFee, std::string());
        QCOMPARE(f.settings.DefaultReturn, std::string("1.85"));
        // Restricted delivery off keeps the previous default.
        QCOMPARE(f.settings.DefaultRestricted, std::string("3.50"));

        QTest::mouseClick(f.Get<QCheckBox>("cbRestricted"), Qt::LeftButton);
        f.TypeAndLeave("editRestricted", "4.1");
        f.window->findChild<QAction*>("SaveValues1")->trigger();
        QCOMPARE(f.settings.DefaultRestricted, std::string("4.10"));
    }

    void pasteAddress_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QStringList>("memo");
        QTest::addColumn<QString>("city");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("zip");
        QTest::newRow("zip+4") << "Office Manager\r\n12 Main St\r\nSpringfield, IL 62704-1234"
                               << QStringList{"Office Manager", "12 Main St"} << "Springfield"
                               << "IL"
                               << "62704-1234";
        QTest::newRow("five digits") << "Office Manager\r\n12 Main St\r\nSpringfield, IL 62704"
                                     << QStringList{"Office Manager", "12 Main St"} << "Springfield"
                                     << "IL"
                                     << "62704-    ";
        QTest::newRow("city line only")
            << "Springfield, IL 62704" << QStringList{" "} << "Springfield"
            << "IL"
            << "62704-    ";
        QTest::newRow("six lines") << "L1\r\nL2\r\nL3\r\nL4\r\nL5\r\nDayton, OH 45402"
                                   << QStringList{"L1", "L2", "L3", "L4"} << "Dayton"
                                   << "OH"
                                   << "45402-    ";
        QTest::newRow("LF CR pairs")
            << "Ann Lee\n\rDayton, OH 45402\n\r" << QStringList{"Ann Lee"} << "Dayton"
            << "OH"
            << "45402-    ";
        QTest::newRow("trailing blanks")
            << "Ann Lee\r\nSpringfield, IL 62704  " << QStringList{"Ann Lee"} << "Springfield, IL"
            << "62"
            << "704  -    ";
    }

    void pasteAddress() {
        QFETCH(QString, clipboard);
        QFETCH(QStringList, memo);
        QFETCH(QString, city);
        QFETCH(QString, state);
        QFETCH(QString, zip);
        MainFixture& f = *fixture_;
        QGuiApplication::clipboard()->setText(clipboard);
        Click(f.window.get(), "btnPaste");
        QCOMPARE(f.window->RecipientNameLines(), memo);
        QCOMPARE(f.window->RecipientCity(), city);
        QCOMPARE(f.window->RecipientState(), state);
        QCOMPARE(f.window->RecipientZipText(), zip);
    }

    void pasteWithDashInCityTakesZipAroundIt() {
        MainFixture& f = *fixture_;
        QGuiApplication::clipboard()->setText("Winston-Salem, NC 27101");
        Click(f.window.get(), "btnPaste");
        QCOMPARE(f.window->RecipientCity(), QStringLiteral("Winston-Sal"));
        QCOMPARE(f.window->RecipientState(), QStringLiteral("em"));
        // "nston-Sale" holds no digit for the digit positions of the field.
        QCOMPARE(f.window->RecipientZipText(), QStringLiteral("     -    "));
    }

    void pasteOfLoneLineFeedsIsOneCityLine() {
        MainFixture& f = *fixture_;
        QGuiApplication::clipboard()->setText("Ann Lee\n12 Elm\nDayton, OH 45402\r\n");
        Click(f.window.get(), "btnPaste");
        QCOMPARE(f.window->RecipientNameLines(), QStringList{" "});
        QCOMPARE(f.window->RecipientState(), QStringLiteral("OH"));
        QCOMPARE(f.window->RecipientZipText(), QStringLiteral("45402-    "));
    }

    void pasteOfUnixLinesSplitsThem() {
        MainFixture& f = *fixture_;
        QGuiApplication::clipboard()->setText(
            "Office Manager\n12 Main St\nSpringfield, IL 62704-1234\n");
        Click(f.window.get(), "btnPaste");
        QCOMPARE(f.window->RecipientNameLines(), (QStringList{"Office Manager", "12 Main St"}));
        QCOMPARE(f.window->RecipientCity(), QStringLiteral("Springfield"));
        QCOMPARE(f.window->RecipientState(), QStringLiteral("IL"));
        QCOMPARE(f.window->RecipientZipText(), QStringLiteral("62704-1234"));
    }

    void pasteOfEmptyClipboardOnlyClears() {
        MainFixture& f = *fixture_;
        f.Get<QPlainTextEdit>("memoAddress")->setPlainText("Someone");
        f.Edit("editCity")->setText("Dayton");
        QGuiApplication::clipboard()->clear();
        Click(f.window.get(), "btnPaste");
        QCOMPARE(f.window->RecipientNameLines(), QStringList{" "});
        QCOMPARE(f.window->RecipientCity(), QString());
        QCOMPARE(f.window->RecipientZipText(), QStringLiteral("     -    "));
    }

    void clearEmptiesRecipient() {
        MainFixture& f = *fixture_;
        f.Get<QPlainTextEdit>("memoAddress")->setPlainText("Ann Lee\n12 Elm");
        f.Edit("editCity")->setText("Dayton");
        f.Edit("editState")->setText("OH");
        f.Edit("editZip")->setText("45402-1234");
        QCOMPARE(f.window->RecipientZipText(), QStringLiteral("45402-1234"));
        Click(f.window.get(), "btnClear");
        QCOMPARE(f.Get<QPlainTextEdit>("memoAddress")->toPlainText(), QStringLiteral(" "));
        QCOMPARE(f.window->RecipientCity(), QString());
        QCOMPARE(f.window->RecipientState(), QString());
        QCOMPARE(f.window->RecipientZipText(), QStringLiteral("     -    "));
    }

    void fieldLimits() {
        MainFixture& f = *fixture_;
        for (const auto& [name, limit] : {std::pair{"editCity", 35}, std::pair{"editState", 4},
                                          std::pair{"editComment", 35}, std::pair{"editRe", 25}}) {
            QLineEdit* edit = f.Edit(name);
            edit->clear();
            edit->setFocus();
            QTest::keyClicks(edit, QString(limit + 3, QLatin1Char('x')));
            QCOMPARE(edit->text().size(), limit);
            // A longer text put there by the program stays whole and can be shortened.
            const QString longer(limit + 5, QLatin1Char('y'));
            edit->setText(longer);
            QCOMPARE(edit->text(), longer);
            QTest::keyClick(edit, Qt::Key_A);
            QCOMPARE(edit->text(), longer);
            QTest::keyClick(edit, Qt::Key_Backspace);
            QCOMPARE(edit->text().size(), limit + 4);
        }
        QLineEdit* zip = f.Edit("editZip");
        zip->setFocus();
        zip->home(false);
        QTest::keyClicks(zip, "4540a21234x5");
        QCOMPARE(f.window->RecipientZipText(), QStringLiteral("45402-1234"));
    }

    // Paste from the field's own context menu is the user's input too.
    void contextMenuPasteKeepsFieldLimit() {
        MainFixture& f = *fixture_;
        QLineEdit* city = f.Edit("editCity");
        city->clear();
        city->setFocus(Qt::TabFocusReason);
        QGuiApplication::clipboard()->setText(QString(50, QLatin1Char('c')));
        bool pasted = false;
        QTimer::singleShot(50, city, [&pasted] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                auto* menu = qobject_cast<QMenu*>(top);
                if (menu == nullptr || !menu->isVisible()) {
                    continue;
                }
                for (QAction* item : menu->actions()) {
                    if (item->text().startsWith(QStringLiteral("&Paste"))) {
                        // As the menu does it: closes, then runs the command.
                        menu->close();
                        item->trigger();
                        pasted = true;
                    }
                }
                menu->close();
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2),
                                city->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(city, &event);
        QTRY_VERIFY(pasted);
        QCOMPARE(city->text(), QString(35, QLatin1Char('c')));

        // The keyboard's paste into a selection keeps what fits, as typing does.
        city->setText(QString(30, QLatin1Char('a')));
        city->setSelection(0, 2);
        QTest::keyClick(city, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(city->text(), QString(7, QLatin1Char('c')) + QString(28, QLatin1Char('a')));
    }

    void memoKeepsFourLines() {
        MainFixture& f = *fixture_;
        auto* memo = f.Get<QPlainTextEdit>("memoAddress");
        memo->setFocus();
        memo->clear();
        QTest::keyClicks(memo, "one");
        for (const char* line : {"two", "three", "four", "five"}) {
            QTest::keyClick(memo, Qt::Key_Return);
            QTest::keyClicks(memo, line);
        }
        QCOMPARE(f.window->RecipientNameLines(), (QStringList{"one", "two", "three", "four"}));

        // A long line wraps and its wrapped lines count.
        memo->setPlainText(QString("word ").repeated(80));
        QCOMPARE(f.window->RecipientNameLines().size(), 4);
    }

    // The lines the four-line limit counts are the lines the field shows.
    void memoCountsTheLinesItShows() {
        MainFixture& f = *fixture_;
        auto* memo = f.Get<QPlainTextEdit>("memoAddress");
        for (int words = 1; words <= 24; ++words) {
            memo->setPlainText(QStringLiteral("Wm ") + QString("Street ").repeated(words));
            memo->viewport()->repaint();
            QCoreApplication::processEvents();
            int shown = 0;
            for (QTextBlock block = memo->document()->begin(); block.isValid();
                 block = block.next()) {
                shown += block.layout()->lineCount();
            }
            QCOMPARE(f.window->RecipientNameLines().size(), qsizetype(shown));
        }
    }

    void senderLines_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("line 1 blank")
            << QStringList{"", "400 Oak Avenue", "", ""}
            << QStringList{"Dayton OH 45402", "400 Oak Avenue", "", "", ""};
        QTest::newRow("all four set")
            << QStringList{"Acme", "Legal Dept", "400 Oak Avenue", "Suite 5"}
            << QStringList{"Acme", "Legal Dept", "400 Oak Avenue", "Suite 5", "Dayton OH 45402"};
        QTest::newRow("two set") << QStringList{"Acme", "400 Oak Avenue", "", ""}
                                 << QStringList{"Acme", "400 Oak Avenue", "Dayton OH 45402", "",
                                                ""};
    }

    void senderLines() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, labels);
        MainFixture& f = *fixture_;
        f.settings.YourLine1 = lines[0].toStdString();
        f.settings.YourLine2 = lines[1].toStdString();
        f.settings.YourLine3 = lines[2].toStdString();
        f.settings.YourLine4 = lines[3].toStdString();
        f.window->ShowSenderLines();
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(
                f.Get<QLabel>(QStringLiteral("lblYourAddress%1").arg(i + 1).toLatin1())->text(),
                labels[i]);
        }
    }

    void senderDialogFromChangeButton() {
        MainFixture& f = *fixture_;
        ModalDriver driver;
        driver.Expect("TF_YourAddress", [](QDialog* dialog) {
            auto* memo = Child<QPlainTextEdit>(dialog, "memoYourAddress");
            QCOMPARE(memo->toPlainText(), QStringLiteral("Acme Legal LLP\n400 Oak Avenue"));
            memo->setPlainText("Brook & Sons\n\n9 Elm Road");
            Child<QLineEdit>(dialog, "editYourCity")->setText("Akron");
            Child<QLineEdit>(dialog, "editYourZip")->setText("44301");
            Click(dialog, "btnOK");
        });
        Click(f.window.get(), "btnChangeYourAddress");
        QVERIFY(driver.Done());
        QCOMPARE(f.settings.YourLine1, std::string("Brook & Sons"));
        QCOMPARE(f.settings.YourLine2, std::string());
        QCOMPARE(f.settings.YourLine3, std::string("9 Elm Road"));
        QCOMPARE(f.settings.YourLine4, std::string());
        QCOMPARE(f.settings.YourZip, std::string("44301"));
        QCOMPARE(f.window->SenderLabelTexts()[1], QStringLiteral("Akron OH 44301"));
        QCOMPARE(f.window->focusWidget(), f.Get<QWidget>("btnChangeYourAddress"));
    }

    void senderDialogKeepsLongStoredTexts() {
        MainFixture& f = *fixture_;
        const std::string city(40, 'C');
        f.settings.YourCity = city;
        ModalDriver driver;
        driver.Expect("TF_YourAddress", [](QDialog* dialog) { Click(dialog, "btnOK"); });
        Click(f.window.get(), "btnChangeYourAddress");
        QVERIFY(driver.Done());
        QCOMPARE(f.settings.YourCity, city);
    }

    void senderDialogCancelChangesNothing_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("cancel") << false;
        QTest::newRow("escape in a field") << true;
    }

    void senderDialogCancelChangesNothing() {
        QFETCH(bool, escape);
        MainFixture& f = *fixture_;
        ModalDriver driver;
        driver.Expect("TF_YourAddress", [escape](QDialog* dialog) {
            auto* city = Child<QLineEdit>(dialog, "editYourCity");
            city->setText("Akron");
            if (escape) {
                QTest::keyClick(city, Qt::Key_Escape);
            } else {
                Click(dialog, "btnCancel");
            }
        });
        f.window->findChild<QAction*>("YourNameAddress1")->trigger();
        QVERIFY(driver.Done());
        QCOMPARE(f.settings.YourCity, std::string("Dayton"));
        // The main window stays open: the Escape belonged to the dialog.
        QVERIFY(f.window->isVisible());
    }

    void looksSwitch_data() {
        QTest::addColumn<QString>("edit");
        QTest::newRow("typing in RE") << "typeRe";
        QTest::newRow("typing a fee") << "typeFee";
        QTest::newRow("paste") << "paste";
        QTest::newRow("clear") << "clear";
        QTest::newRow("leaving the memo") << "leaveMemo";
        QTest::newRow("leaving restricted box") << "leaveRestricted";
    }

    void looksSwitch() {
        QFETCH(QString, edit);
        MainFixture& f = *fixture_;
        const QColor silver(192, 192, 192);
        f.window->MarkEntryPrinted();
        QVERIFY(f.window->EntryLooksPrinted());
        QVERIFY(!f.Get<QPushButton>("btnPrint")->isEnabled());
        for (const char* name : {"editPostage", "editTotal", "editZip", "tzeditCity"}) {
            QCOMPARE(f.Edit(name)->palette().color(QPalette::Base), silver);
        }
        QCOMPARE(f.Get<QPlainTextEdit>("memoAddress")->palette().color(QPalette::Base), silver);

        if (edit == "typeRe") {
            f.Edit("editRe")->setFocus();
            QTest::keyClicks(f.Edit("editRe"), "x");
        } else if (edit == "typeFee") {
            f.Edit("editReturn")->setFocus();
            QTest::keyClicks(f.Edit("editReturn"), "1");
        } else if (edit == "paste") {
            QGuiApplication::clipboard()->setText("Dayton, OH 45402");
            Click(f.window.get(), "btnPaste");
        } else if (edit == "clear") {
            Click(f.window.get(), "btnClear");
        } else if (edit == "leaveMemo") {
            f.Get<QPlainTextEdit>("memoAddress")->setFocus(Qt::TabFocusReason);
            QVERIFY(f.window->EntryLooksPrinted());
            f.Edit("editCity")->setFocus(Qt::TabFocusReason);
        } else if (edit == "leaveRestricted") {
            f.Get<QCheckBox>("cbRestricted")->setFocus(Qt::TabFocusReason);
            QVERIFY(f.window->EntryLooksPrinted());
            f.Edit("editCity")->setFocus(Qt::TabFocusReason);
        }
        QVERIFY(!f.window->EntryLooksPrinted());
        QVERIFY(f.Get<QPushButton>("btnPrint")->isEnabled());
        QCOMPARE(f.Edit("editPostage")->palette().color(QPalette::Base), QColor(Qt::white));
    }

    void tabOrderStartsInFeeGroup() {
        MainFixture& f = *fixture_;
        QCOMPARE(QApplication::focusWidget(), f.Get<QWidget>("editPostage"));
        const QStringList expected{
            "editCertFee", "editReturn", "cbRestricted", "btnPrint", "btnChangeYourAddress",
            "editComment", "editRe",     "memoAddress",  "editCity", "editState",
            "editZip",     "btnPaste",   "btnClear"};
        QStringList seen;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(seen, expected);
    }

    void menuItems_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("enabled");
        const struct {
            const char* name;
            const char* caption;
            bool enabled;
        } items[] = {
            {"MIReadWriteToDB", "&Read/Write to a database", true},
            {"MIPrint", "&Print", true},
            {"MIMassPrint", "&Mass Print", false},
            {"MIPrintBarCodes", "Print &Bar Codes", true},
            {"MIExit", "&Exit", true},
            {"MailerNumber1", "&Mailer Number", true},
            {"YourNameAddress1", "&Your Name && Address", true},
            {"MIPrintOptions", "Print &Options", true},
            {"MIPrinterSetup", "&Printer Setup", true},
            {"MIPrinterAlignment", "Printer &Alignment", true},
            {"MIExtraLabel", "&Extra Label", true},
            {"BarCodes1", "&BarCode's", true},
            {"PrintBarCodeMI", "&Print", true},
            {"DontPrintBarCodeMI", "&Don't Print", true},
            {"defaultPostage1", "&Default Postage", true},
            {"SaveValues1", "&Save Values", true},
            {"MINameAddressTextFiles", "&Name && Address Text Files", true},
            {"MIImport", "&Import", true},
            {"MIExport", "&Export", true},
            {"TrackItem1", "Track Item", true},
            {"PrintReport1", "&Print", true},
            {"miPrintFull", "Full Detail", true},
            {"miPrintShort", "Short Detail", true},
            {"miPrintFirmBook", "Firm Mailing Book (PS Form 3877)", true},
            {"PreviewReport1", "Pre&view", true},
            {"miPreviewFull", "&Full Detail", true},
            {"miPreviewShort", "&Short Detail", true},
            {"miPreviewFirmBook", "Firm Mailing Book (PS Form 3877)", true},
            {"ClearReport1", "&Clear", true},
            {"SortRepost1", "&Sort", true},
            {"MIByMailerNumber", "&By Mailer Number", true},
            {"MIByName", "By &Name", true},
            {"MIByDate", "By &Date", true},
            {"MIByZipCode", "By &ZipCode", true},
            {"Content1", "&Content", true},
            {"BarCodePrintingRegistration1", "&Print Bar Code Printing Registration", true},
            {"MIOrderSupplies", "&Order Supplies", true},
            {"MITechnicalSupport", "&Technical Support", true},
            {"miAbout", "&About", true},
        };
        for (const auto& item : items) {
            QTest::newRow(item.name) << item.name << item.caption << item.enabled;
        }
    }

    void menuItems() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, enabled);
        QAction* action = nullptr;
        for (QAction* candidate : fixture_->window->findChildren<QAction*>(name)) {
            action = candidate;
        }
        QVERIFY(action != nullptr);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->isEnabled(), enabled);
    }

    void menuBarOrder() {
        QStringList captions;
        for (QAction* action : fixture_->window->menuBar()->actions()) {
            captions.append(action->text());
        }
        QCOMPARE(captions, (QStringList{"File", "&Options", "Track Item", "&Report", "&Help"}));
    }

    void radioGroupsAreExclusiveEach() {
        MainFixture& f = *fixture_;
        auto* print = f.window->findChild<QAction*>("PrintBarCodeMI");
        auto* dontPrint = f.window->findChild<QAction*>("DontPrintBarCodeMI");
        QVERIFY(print->isChecked());
        f.settings.Increment = false;
        dontPrint->trigger();
        QVERIFY(dontPrint->isChecked());
        QVERIFY(!print->isChecked());
        QVERIFY(!f.settings.PrintBarCode);
        QVERIFY(f.settings.Increment);
        print->trigger();
        QVERIFY(f.settings.PrintBarCode);

        // The sort items start unchecked and do not touch the bar-code items.
        auto* byName = f.window->findChild<QAction*>("MIByName");
        QVERIFY(!f.window->findChild<QAction*>("MIByMailerNumber")->isChecked());
        byName->trigger();
        QVERIFY(byName->isChecked());
        QVERIFY(print->isChecked());
        f.window->findChild<QAction*>("MIByDate")->trigger();
        QVERIFY(!byName->isChecked());
    }

    void mailerNumberFromOptions_data() {
        QTest::addColumn<bool>("barcode");
        QTest::addColumn<bool>("increment");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("confirmed");
        QTest::addColumn<QString>("after");
        QTest::newRow("serial stepped back") << true << true << "00000041"
                                             << "00000042"
                                             << "00000100"
                                             << "00000099";
        QTest::newRow("zero serial wraps") << true << true << "00000041"
                                           << "00000042"
                                           << "00000000"
                                           << "99999999";
        // Pre-printed mode: the counter of characters 12-19, with the rest of
        // the mailer number built around it.
        QTest::newRow("counting down wraps") << false << false << "00000000"
                                             << "99999999"
                                             << "99999999"
                                             << "00000001";
        QTest::newRow("counting up") << false << true << "00000041"
                                     << "00000042"
                                     << "00000042"
                                     << "00000041";
    }

    void mailerNumberFromOptions() {
        QFETCH(bool, barcode);
        QFETCH(bool, increment);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(QString, confirmed);
        QFETCH(QString, after);
        MainFixture& f = *fixture_;
        f.settings.PrintBarCode = barcode;
        f.settings.Increment = increment;
        // In pre-printed mode the columns hold the counter of the mailer number.
        const auto full = [barcode](const QString& counter) {
            return barcode ? counter
                           : QString::fromStdString(
                                 BuildLabelNumber("123456789", counter.toStdString()));
        };
        (barcode ? f.settings.SerialNum : f.settings.MailerNum) = full(stored).toStdString();
        f.settings.ShowMailerBeforePrint = false;
        const char* field = barcode ? "editSerialNum" : "editMailerNum";
        ModalDriver driver;
        driver.Expect("TF_Mailer", [&](QDialog* dialog) {
            QVERIFY(!Child<QWidget>(dialog, "cbDontShow")->isVisible());
            QCOMPARE(Child<QLineEdit>(dialog, field)->text(), full(shown));
            Child<QLineEdit>(dialog, field)->setText(full(confirmed));
            Click(dialog, "btnOK");
        });
        f.window->findChild<QAction*>("MailerNumber1")->trigger();
        QVERIFY(driver.Done());
        QCOMPARE(QString::fromStdString(barcode ? f.settings.SerialNum : f.settings.MailerNum),
                 full(after));
        QVERIFY(f.settings.ShowMailerBeforePrint);
    }

    void mailerNumberCancelRestores() {
        MainFixture& f = *fixture_;
        f.settings.SerialNum = "00000041";
        ModalDriver driver;
        driver.Expect("TF_Mailer", [](QDialog* dialog) {
            Child<QLineEdit>(dialog, "editCustID")->setText("99-999-9999");
            Click(dialog, "btnCancel");
        });
        f.window->findChild<QAction*>("MailerNumber1")->trigger();
        QVERIFY(driver.Done());
        QCOMPARE(f.settings.SerialNum, std::string("00000041"));
        QCOMPARE(f.settings.CustID, std::string("12-345-6789"));
    }

    void mailerNumberWithBadSerialShowsError() {
        MainFixture& f = *fixture_;
        f.settings.SerialNum = "12x";
        f.window->findChild<QAction*>("MailerNumber1")->trigger();
        QCOMPARE(f.prompts.Kinds(), QStringList{"Error"});
        QCOMPARE(f.prompts.calls[0].text, QStringLiteral("'12x' is not a valid integer value"));
        QCOMPARE(f.settings.SerialNum, std::string("12x"));
    }

    void shellCommands() {
        MainFixture& f = *fixture_;
        f.window->findChild<QAction*>("TrackItem1")->trigger();
        QCOMPARE(f.prompts.openedUrls.size(), 1);
        QCOMPARE(f.prompts.openedUrls[0].host(), QStringLiteral("tools.usps.com"));
        f.window->findChild<QAction*>("MIPrinterSetup")->trigger();
        QCOMPARE(f.prompts.Kinds(), QStringList{"PrinterSetup"});
    }

    void escapeInAnyFieldClosesAndSaves_data() {
        QTest::addColumn<QString>("field");
        QTest::newRow("city") << "editCity";
        QTest::newRow("memo") << "memoAddress";
        QTest::newRow("fee") << "editCertFee";
    }

    void escapeInAnyFieldClosesAndSaves() {
        QFETCH(QString, field);
        MainFixture& f = *fixture_;
        f.settings.YourCity = "Kettering";
        auto* widget = f.Get<QWidget>(field.toLatin1().constData());
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_Escape);
        QVERIFY(!f.window->isVisible());
        const QByteArray saved = f.sandbox.ReadSettings();
        QCOMPARE(KeyLines(saved), 23);
        QVERIFY(saved.contains("City=Kettering"));
    }

    void exitMenuClosesAndSaves() {
        MainFixture& f = *fixture_;
        f.window->findChild<QAction*>("MIExit")->trigger();
        QVERIFY(!f.window->isVisible());
        QCOMPARE(KeyLines(f.sandbox.ReadSettings()), 23);
    }

    void unwritableSettingsShowError() {
        MainFixture& f = *fixture_;
        // A folder where the file should be: the write fails even for root.
        QFile::remove(f.sandbox.settingsFile());
        QDir().mkpath(f.sandbox.settingsFile() + "/blocked");
        f.window->close();
        QCOMPARE(f.prompts.Kinds(), QStringList{"Error"});
        QCOMPARE(f.prompts.calls[0].text, QStringLiteral("Unable to write to vell3.ini"));
    }

    void engineErrorSavesSettingsThenHalts_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("214") << 214 << 214;
        QTest::newRow("1202 does not fit") << 1202 << 255;
        QTest::newRow("zero") << 0 << 255;
    }

    void engineErrorSavesSettingsThenHalts() {
        QFETCH(int, number);
        QFETCH(int, exitCode);
        MainFixture& f = *fixture_;
        f.settings.SerialNum = "00000077";
        QList<int> exits;
        QStringList kindsAtExit;
        f.window->SetExitHook([&](int code) {
            exits.append(code);
            kindsAtExit = f.prompts.Kinds();
        });
        const QString text = QStringLiteral("Error # 214 (Attempting to append file to itself)\r\n"
                                            "Attempting to append file to itself. [AppendFrom(x)]");
        f.window->HaltOnEngineError(number, text);
        QCOMPARE(exits, QList<int>{exitCode});
        QCOMPARE(kindsAtExit, QStringList{"Halted"});
        QCOMPARE(f.prompts.calls[0].title, QStringLiteral("Program halted."));
        QCOMPARE(f.prompts.calls[0].text, text);
        const QByteArray saved = f.sandbox.ReadSettings();
        QCOMPARE(KeyLines(saved), 23);
        QVERIFY(saved.contains("SerialNum=00000077"));
    }

    void engineErrorOfATableReachesTheHalt() {
        MainFixture& f = *fixture_;
        f.settings.SerialNum = "00000078";
        QList<int> exits;
        f.window->SetExitHook([&](int code) { exits.append(code); });
        const auto openMissingTable = [&] {
            tables::TTzDbf table;
            table.SetDbfFileName((f.sandbox.dir.path() + "/missing.dbf").toStdString());
            table.SetCreateIfNotFound(false);
            try {
                table.Open();
            } catch (const tables::EngineException&) {
            }
        };
        {
            const EngineErrorsHaltTheProgram halt(*f.window);
            openMissingTable();
        }
        QCOMPARE(exits, QList<int>{2});
        QCOMPARE(f.prompts.Kinds(), QStringList{"Halted"});
        QVERIFY2(f.prompts.calls[0].text.startsWith("Error # 2 (File not found)\r\n"),
                 qPrintable(f.prompts.calls[0].text));
        QVERIFY(f.sandbox.ReadSettings().contains("SerialNum=00000078"));
        // Once the window's guard is gone, its errors no longer reach it.
        openMissingTable();
        QCOMPARE(exits.size(), 1);
    }

    void registrationFormPrintsFromMenu() {
        MainFixture& f = *fixture_;
        QVERIFY(
            QFile::copy(QStringLiteral(VELL3_TEST_BCAPP), f.sandbox.programFolder() + "bcapp.emf"));
        const QString pdf = f.sandbox.dir.path() + "/form.pdf";
        f.window->Printer().setOutputFormat(QPrinter::PdfFormat);
        f.window->Printer().setOutputFileName(pdf);
        f.window->findChild<QAction*>("BarCodePrintingRegistration1")->trigger();
        QVERIFY(QFileInfo(pdf).size() > 0);
        // Read the page back as a picture: the form must cover the page,
        // stretched over its printable area, in black on white.
        QProcess raster;
        raster.start("pdftoppm",
                     {"-r", "40", "-png", "-singlefile", pdf, f.sandbox.dir.path() + "/form"});
        QVERIFY(raster.waitForFinished(30000));
        QCOMPARE(raster.exitCode(), 0);
        const QImage page(f.sandbox.dir.path() + "/form.png");
        QVERIFY(!page.isNull());
        QCOMPARE(PageCount(pdf), 1);
        QRect ink;
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                if (qGray(page.pixel(x, y)) < 128) {
                    ink |= QRect(x, y, 1, 1);
                }
            }
        }
        QVERIFY2(ink.width() > page.width() * 7 / 10, qPrintable(QString::number(ink.width())));
        QVERIFY2(ink.height() > page.height() * 7 / 10, qPrintable(QString::number(ink.height())));
        QVERIFY(ink.left() < page.width() / 8);
        QVERIFY(ink.top() < page.height() / 8);
    }

    void registrationFormMissingPrintsNothing() {
        MainFixture& f = *fixture_;
        const QString pdf = f.sandbox.dir.path() + "/none.pdf";
        f.window->Printer().setOutputFormat(QPrinter::PdfFormat);
        f.window->Printer().setOutputFileName(pdf);
        f.window->findChild<QAction*>("BarCodePrintingRegistration1")->trigger();
        QVERIFY(!QFileInfo::exists(pdf));
        QVERIFY(f.prompts.calls.isEmpty());
    }

    void helpContentsShowsShippedFile() {
        MainFixture& f = *fixture_;
        QVERIFY(
            QFile::copy(QStringLiteral(VELL3_TEST_HELP), f.sandbox.programFolder() + "Vell3.html"));
        f.window->findChild<QAction*>("Content1")->trigger();
        auto* help = f.window->findChild<QDialog*>("TF_Help");
        QVERIFY(help != nullptr);
        QVERIFY(help->isVisible());
        auto* browser = Child<QTextBrowser>(help, "browserHelp");
        const QString text = browser->toPlainText();
        QVERIFY(text.contains("Starting the program for the first time"));
        QVERIFY(text.contains("Postage, fees and total"));
        // Its contents links lead within the file.
        browser->setSource(QUrl("#fees"));
        QVERIFY(browser->toPlainText().contains("Restricted Delivery Fee"));
        // A second request shows the same window.
        f.window->findChild<QAction*>("Content1")->trigger();
        QCOMPARE(f.window->findChildren<QDialog*>("TF_Help").size(), 1);
    }

    void helpContentsWithoutFileSaysSo() {
        MainFixture& f = *fixture_;
        f.window->findChild<QAction*>("Content1")->trigger();
        auto* help = f.window->findChild<QDialog*>("TF_Help");
        QVERIFY(help != nullptr);
        QVERIFY(Child<QTextBrowser>(help, "browserHelp")->toPlainText().contains("was not found"));
    }

    void aboutFromEveryHelpItem_data() {
        QTest::addColumn<QString>("item");
        QTest::newRow("about") << "miAbout";
        QTest::newRow("order supplies") << "MIOrderSupplies";
        QTest::newRow("technical support") << "MITechnicalSupport";
    }

    void aboutFromEveryHelpItem() {
        QFETCH(QString, item);
        MainFixture& f = *fixture_;
        ModalDriver driver;
        driver.Expect("TF_About", [](QDialog* about) {
            QCOMPARE(Child<QLabel>(about, "labelWebSite")->text(),
                     QStringLiteral("www.ambervale.example"));
            QVERIFY(Child<QPushButton>(about, "btnOK")->isVisible());
            Click(about, "btnOK");
        });
        f.window->findChild<QAction*>(item)->trigger();
        QVERIFY(driver.Done());
    }

    void printOptionDialogsFromMenu() {
        MainFixture& f = *fixture_;
        ModalDriver driver;
        driver.Expect("TF_Align", [](QDialog* dialog) {
            Child<QSpinBox>(dialog, "spinLeftRight")->setValue(12);
            Click(dialog, "btnOK");
        });
        driver.Expect("TF_ExtraLabel", [](QDialog* dialog) {
            Child<QRadioButton>(dialog, "rbNo")->click();
            Click(dialog, "btnOK");
        });
        f.window->findChild<QAction*>("MIPrinterAlignment")->trigger();
        f.window->findChild<QAction*>("MIExtraLabel")->trigger();
        QVERIFY(driver.Done());
        QCOMPARE(f.settings.AlignLeftRight, 12);
        QCOMPARE(f.settings.PrintExtraLabel, std::string("No"));
    }

    void senderDialogZip_data() {
        // The field's text, unfilled positions as blanks, and what is kept.
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("stored");
        QTest::newRow("zip+4") << "12345-6789"
                               << "12345-6789";
        QTest::newRow("five digits") << "12345-    "
                                     << "12345";
        QTest::newRow("empty mask") << "     -    "
                                    << "";
        QTest::newRow("plus four only") << "     -6789"
                                        << "6789";
        QTest::newRow("three digits") << "123  -    "
                                      << "123  ";
    }

    void senderDialogZip() {
        QFETCH(QString, field);
        QFETCH(QString, stored);
        MainFixture& f = *fixture_;
        ModalDriver driver;
        driver.Expect("TF_YourAddress", [&](QDialog* dialog) {
            auto* zip = Child<QLineEdit>(dialog, "editYourZip");
            zip->setText(field);
            QCOMPARE(MaskedText(zip), field);
            Click(dialog, "btnOK");
        });
        Click(f.window.get(), "btnChangeYourAddress");
        QVERIFY(driver.Done());
        QCOMPARE(QString::fromStdString(f.settings.YourZip), stored);
    }

    void senderDialogKeepsFourLines() {
        MainFixture& f = *fixture_;
        ModalDriver driver;
        driver.Expect("TF_YourAddress", [](QDialog* dialog) {
            auto* memo = Child<QPlainTextEdit>(dialog, "memoYourAddress");
            memo->setPlainText("a\nb\nc\nd\ne");
            QCOMPARE(memo->toPlainText(), QStringLiteral("a\nb\nc\nd\n"));
            QCOMPARE(TypedLengthLimit(Child<QLineEdit>(dialog, "editYourCity")), 35);
            QCOMPARE(TypedLengthLimit(Child<QLineEdit>(dialog, "editYourState")), 4);
            Click(dialog, "btnOK");
        });
        Click(f.window.get(), "btnChangeYourAddress");
        QVERIFY(driver.Done());
        QCOMPARE(f.settings.YourLine4, std::string("d"));
    }

private:
    std::unique_ptr<MainFixture> fixture_;
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
