// The dialogs on their own: the three-button question, About and splash, the
// Mailer Number dialog in both modes, alignment and extra label.

#include "AppTestSupport.h"
#include "Prompts.h"

#include "RegistrationForm.h"
#include "U_About.h"
#include "U_Align.h"
#include "U_AskThreeWay.h"
#include "U_ExtraLabel.h"
#include "U_Mailer.h"
#include "U_PrintBarCode.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextDocument>
#include <QTimer>

using namespace vell3;
using namespace vell3::test;

namespace {

const QString kLongMessage = QStringLiteral(
    "This software prints the newly required Bar Code on the your Certified Mailer. Thus the "
    "U.S. Postal Service Requires that you register with them.  Please print and fill in the "
    "enclosed form and forward it to the U.S. Postal Service at the enclosed address.");

// Runs a dialog modally with `act` applied once it is open; the exec() result.
int RunWith(QDialog& dialog, const std::function<void(QDialog*)>& act) {
    QTimer::singleShot(0, &dialog, [&dialog, act] {
        act(&dialog);
        // A failed check returns early: never leave the dialog open.
        if (dialog.isVisible()) {
            dialog.reject();
        }
    });
    return dialog.exec();
}

void TypeInSpin(QSpinBox* spin, const QString& text) {
    auto* edit = spin->findChild<QLineEdit*>();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    // A message naming a file such as "<b>old</b>.txt" shows that text, not markup.
    void messagesShowTagLikeTextAsItIs() {
        const QString text = QStringLiteral("<b>old</b>.txt could not be read");
        WidgetPrompts prompts;
        QList<Qt::TextFormat> formats;
        const auto answerBox = [&] {
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box != nullptr);
                QCOMPARE(box->text(), text);
                formats.append(box->textFormat());
                box->done(QMessageBox::Yes);
            });
        };
        answerBox();
        prompts.Error(nullptr, text);
        answerBox();
        prompts.Information(nullptr, text);
        answerBox();
        prompts.Halted(nullptr, text);
        answerBox();
        prompts.ConfirmYesNo(nullptr, text);
        answerBox();
        prompts.ConfirmYesNoCancel(nullptr, text);
        QCOMPARE(formats, QList<Qt::TextFormat>(5, Qt::PlainText));

        TF_AskThreeWay box("Q", text, {"A", "B", "C"});
        bool plain = false;
        for (const QLabel* label : box.findChildren<QLabel*>()) {
            if (label->text() == text) {
                plain = label->textFormat() == Qt::PlainText;
            }
        }
        QVERIFY(plain);
    }

    void askThreeWayLongMessageKeepsWidth() {
        TF_AskThreeWay box("Bar Code Printing Registration", kLongMessage,
                           {"&Never Print", "Print &Later", "&Print Now"});
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(box.width(), 325);
        QCOMPARE(box.windowTitle(), QStringLiteral("Bar Code Printing Registration"));
        QVERIFY(box.MessageLabel()->wordWrap());
        QCOMPARE(box.MessageLabel()->text(), kLongMessage);
        const int lineHeight = QFontMetrics(box.font()).height();
        QVERIFY(box.MessageLabel()->height() > 3 * lineHeight);
        QCOMPARE(box.height(), box.MessageLabel()->height() + 4 * lineHeight + 22);

        const auto& buttons = box.Buttons();
        QCOMPARE(buttons.size(), 3);
        QCOMPARE(buttons[0]->text(), QStringLiteral("&Never Print"));
        // The first caption is rightmost, the last leftmost and focused.
        QVERIFY(buttons[0]->x() > buttons[1]->x());
        QVERIFY(buttons[1]->x() > buttons[2]->x());
        QCOMPARE(buttons[0]->geometry().right() + 1, box.width() - 10);
        QCOMPARE(buttons[0]->height(), 25);
        QCOMPARE(buttons[0]->y(), box.height() - 35);
        QCOMPARE(QApplication::focusWidget(), buttons[2]);
        QVERIFY(box.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(box.windowFlags() & Qt::WindowCloseButtonHint));
    }

    void askThreeWayShortMessageIsAsNarrowAsButtons() {
        TF_AskThreeWay box("Q", "Go?", {"A", "B", "C"});
        const int w = QFontMetrics(box.font()).horizontalAdvance("A") + 10;
        QCOMPARE(box.width(), 3 * w + 4 * 10);
        QCOMPARE(box.Buttons()[2]->x(), 10);
    }

    void askThreeWayWideCaptionsWidenBox() {
        const QString wide = QString("Overwrite the database").repeated(2);
        TF_AskThreeWay box("Q", kLongMessage, {wide, "B", "C"});
        const int w = QFontMetrics(box.font()).horizontalAdvance(wide) + 10;
        QCOMPARE(box.width(), 3 * w + 4 * 10);
        QCOMPARE(box.Buttons()[1]->width(), w);
    }

    void askThreeWayReturnsPositionPressed_data() {
        QTest::addColumn<int>("pressed");
        QTest::newRow("first") << 1;
        QTest::newRow("second") << 2;
        QTest::newRow("third") << 3;
    }

    void askThreeWayReturnsPositionPressed() {
        QFETCH(int, pressed);
        TF_AskThreeWay box("Q", kLongMessage, {"One", "Two", "Three"});
        QTimer::singleShot(0, &box, [&box, pressed] {
            // Escape and the window's close do not end the box.
            QTest::keyClick(&box, Qt::Key_Escape);
            box.close();
            QTest::mouseClick(box.Buttons()[pressed - 1], Qt::LeftButton);
        });
        QCOMPARE(box.Run(), pressed);
    }

    void versionText_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("label");
        QTest::newRow("four parts") << "3.0.0.0"
                                    << "Version 3.0.0";
        QTest::newRow("build version") << "1.2.3.4"
                                       << "Version 1.2.3";
        QTest::newRow("none") << ""
                              << "Version 3.0";
    }

    void versionText() {
        QFETCH(QString, version);
        QFETCH(QString, label);
        QCOMPARE(VersionLabelText(version), label);
    }

    void splashMode() {
        AppSettings settings;
        ScriptedPrompts prompts;
        TF_About splash(settings, prompts, 1);
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QCOMPARE(splash.height(), 80);
        QCOMPARE(Child<QFrame>(&splash, "panelMain")->height(), 62);
        QVERIFY(!Child<QPushButton>(&splash, "btnOK")->isVisible());
        QVERIFY(splash.TimerRunning());
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
        // The links do nothing in splash mode, nor does Escape.
        QTest::mouseClick(Child<QLabel>(&splash, "labelWebSite"), Qt::LeftButton);
        QTest::keyClick(&splash, Qt::Key_Escape);
        QVERIFY(prompts.openedUrls.isEmpty());
        QVERIFY(splash.isVisible());
    }

    void aboutBranding_data() {
        QTest::addColumn<QString>("company");
        QTest::addColumn<bool>("logo");
        QTest::addColumn<QString>("webSite");
        QTest::addColumn<int>("height");
        QTest::newRow("maker") << "Ambervale" << false << "www.ambervale.example" << 302;
        QTest::newRow("reseller without logo")
            << "Brisquel" << false << "www.brisquel.example" << 302;
        QTest::newRow("reseller with logo") << "Brisquel" << true << "www.brisquel.example" << 358;
        QTest::newRow("unknown keeps designed")
            << "Other" << true << "www.ambervale.example" << 302;
    }

    void aboutBranding() {
        QFETCH(QString, company);
        QFETCH(bool, logo);
        QFETCH(QString, webSite);
        QFETCH(int, height);
        QTemporaryDir folder;
        AppSettings settings;
        settings.CompanyType = company.toStdString();
        settings.ProgramFolder = (folder.path() + "/").toStdString();
        if (logo) {
            QImage picture(50, 30, QImage::Format_RGB32);
            picture.fill(Qt::darkBlue);
            QVERIFY(picture.save(folder.path() + "/Scr_logo.bmp", "BMP"));
        }
        ScriptedPrompts prompts;
        TF_About about(settings, prompts, 0);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(about.height(), height);
        QCOMPARE(Child<QLabel>(&about, "labelWebSite")->text(), webSite);
        QCOMPARE(Child<QLabel>(&about, "labelEMail")->text(),
                 QStringLiteral("support@ambervale.example"));
        QCOMPARE(Child<QLabel>(&about, "labelVersion")->text(), VersionLabelText(BuildVersion()));
        QCOMPARE(Child<QPushButton>(&about, "btnOK")->y(), 264 + height - 302);
        QCOMPARE(Child<QFrame>(&about, "panelInfo")->y(), 110 + height - 302);
        QVERIFY(Child<QPushButton>(&about, "btnOK")->isVisible());

        QTest::mouseClick(Child<QLabel>(&about, "labelWebSite"), Qt::LeftButton);
        QTest::mouseClick(Child<QLabel>(&about, "labelEMail"), Qt::LeftButton);
        QCOMPARE(prompts.openedUrls.size(), 2);
        QCOMPARE(prompts.openedUrls[0].host(), webSite);
        QCOMPARE(prompts.openedUrls[1].toString(),
                 QStringLiteral("mailto:support@ambervale.example?Subject=Vell3 Certified Mail"));
        QCOMPARE(Child<QLabel>(&about, "labelWebSite")->cursor().shape(), Qt::PointingHandCursor);
        QTest::keyClick(&about, Qt::Key_Escape);
        QVERIFY(!about.isVisible());
    }

    void buildVersionIsTheProjectVersion() {
        QCOMPARE(VersionLabelText(BuildVersion()), QStringLiteral("Version 1.0.0"));
    }

    void mailerDialogSizes_data() {
        QTest::addColumn<bool>("barcode");
        QTest::addColumn<bool>("dontShow");
        QTest::addColumn<int>("panelHeight");
        QTest::newRow("barcode") << true << false << 152;
        QTest::newRow("barcode before print") << true << true << 152;
        QTest::newRow("pre-printed") << false << false << 200;
        QTest::newRow("pre-printed before print") << false << true << 200;
    }

    void mailerDialogSizes() {
        QFETCH(bool, barcode);
        QFETCH(bool, dontShow);
        QFETCH(int, panelHeight);
        AppSettings settings;
        settings.PrintBarCode = barcode;
        ScriptedPrompts prompts;
        TF_Mailer plain(settings, prompts, false);
        TF_Mailer dialog(settings, prompts, dontShow);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Mailer Number"));
        QCOMPARE(dialog.height(), plain.height() + (dontShow ? 32 : 0));
        QCOMPARE(Child<QCheckBox>(&dialog, "cbDontShow")->isVisible(), dontShow);
        QCOMPARE(Child<QWidget>(&dialog, barcode ? "gbPrintBarcode" : "gbNoBarCode")->isVisible(),
                 true);
        QVERIFY(dialog.findChild<QWidget*>(barcode ? "gbNoBarCode" : "gbPrintBarcode") == nullptr);

        const int before = dialog.height();
        Click(&dialog, "btnHelp");
        auto* panel = Child<QFrame>(&dialog, barcode ? "panelBarCode" : "panelMailerNum");
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->height(), panelHeight);
        QCOMPARE(panel->y(), plain.height() + (dontShow ? 32 : 0));
        QCOMPARE(dialog.width(), 385);
        QCOMPARE(dialog.height(), before + panelHeight);
        QVERIFY(!Child<QPushButton>(&dialog, "btnHelp")->isEnabled());
    }

    void mailerHelpTexts() {
        AppSettings settings;
        ScriptedPrompts prompts;
        TF_Mailer barcode(settings, prompts, false);
        QString text;
        for (QLabel* label : Child<QFrame>(&barcode, "panelBarCode")->findChildren<QLabel*>()) {
            QTextDocument document;
            document.setHtml(label->text());
            text += document.toPlainText() + "\n";
        }
        QVERIFY(text.contains("Customer ID: You may request a nine-digit customer ID (i.e., your "
                              "DUNS number) from your postal representative or by contacting Dun "
                              "& Bradstreet by telephone at 800-333-0505 or via Internet at"));
        QVERIFY(text.contains("Identifier Serial Number: You will self-assign an eight-digit "
                              "Identifier Serial Number."));
        QTest::mouseClick(Child<QLabel>(&barcode, "LabelDnB"), Qt::LeftButton);
        QCOMPARE(prompts.openedUrls.size(), 1);
        QCOMPARE(prompts.openedUrls[0].host(), QStringLiteral("www.dnb.com"));
        QCOMPARE(Child<QLabel>(&barcode, "lblCustID")->toolTip(),
                 QStringLiteral("Click on \"Help\" for information on the Customer ID"));

        settings.PrintBarCode = false;
        TF_Mailer preprinted(settings, prompts, false);
        const QStringList lines =
            Child<QPlainTextEdit>(&preprinted, "memoCountType")->toPlainText().split('\n');
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[1], QStringLiteral("Some printers  pull paper from the bottom of the pile "
                                          "and some from the top. "));
    }

    void mailerOkWritesBarcodeFields() {
        AppSettings settings;
        settings.ShowMailerBeforePrint = true;
        ScriptedPrompts prompts;
        TF_Mailer dialog(settings, prompts, true);
        const int result = RunWith(dialog, [](QDialog* d) {
            Child<QLineEdit>(d, "editCustID")->setText("12-345-6789");
            Child<QLineEdit>(d, "editSerialNum")->setText("00000123");
            Child<QCheckBox>(d, "cbDontShow")->setChecked(true);
            Click(d, "btnOK");
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(settings.CustID, std::string("12-345-6789"));
        QCOMPARE(settings.SerialNum, std::string("00000123"));
        QVERIFY(!settings.ShowMailerBeforePrint);
    }

    void mailerOkWritesPreprintedFields() {
        AppSettings settings;
        settings.PrintBarCode = false;
        settings.Increment = false;
        ScriptedPrompts prompts;
        TF_Mailer dialog(settings, prompts, false);
        QVERIFY(Child<QRadioButton>(&dialog, "rbDecrement")->isChecked());
        RunWith(dialog, [](QDialog* d) {
            Child<QLineEdit>(d, "editMailerNum")->setText("71123456789000000424");
            Child<QRadioButton>(d, "rbIncrement")->setChecked(true);
            Click(d, "btnOK");
        });
        QCOMPARE(settings.MailerNum, std::string("71123456789000000424"));
        QVERIFY(settings.Increment);
    }

    void mailerIncompleteFieldIsRefused() {
        AppSettings settings;
        ScriptedPrompts prompts;
        TF_Mailer dialog(settings, prompts, false);
        const int result = RunWith(dialog, [&](QDialog* d) {
            auto* serial = Child<QLineEdit>(d, "editSerialNum");
            serial->setText("123");
            Click(d, "btnOK");
            QVERIFY(d->isVisible());
            QCOMPARE(prompts.Kinds(), QStringList{"Error"});
            QCOMPARE(d->focusWidget(), serial);
            // Letters never enter the digit positions.
            serial->selectAll();
            QTest::keyClicks(serial, "12ab345678");
            QCOMPARE(serial->text(), QStringLiteral("12345678"));
            Click(d, "btnOK");
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(settings.SerialNum, std::string("12345678"));
    }

    void mailerCancelAndEscapeWriteNothing_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("cancel") << false;
        QTest::newRow("escape") << true;
    }

    void mailerCancelAndEscapeWriteNothing() {
        QFETCH(bool, escape);
        AppSettings settings;
        settings.ShowMailerBeforePrint = true;
        ScriptedPrompts prompts;
        TF_Mailer dialog(settings, prompts, true);
        const int result = RunWith(dialog, [escape](QDialog* d) {
            Child<QLineEdit>(d, "editCustID")->setText("12-345-6789");
            Child<QCheckBox>(d, "cbDontShow")->setChecked(true);
            if (escape) {
                QTest::keyClick(Child<QLineEdit>(d, "editCustID"), Qt::Key_Escape);
            } else {
                Click(d, "btnCancel");
            }
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(settings.CustID, std::string("00-000-0000"));
        QVERIFY(settings.ShowMailerBeforePrint);
    }

    void printBarCodeDialogLayout() {
        AppSettings settings;
        settings.CustID = "12-345-6789";
        settings.SerialNum = "00000042";
        ScriptedPrompts prompts;
        TF_PrintBarCode dialog(settings, prompts);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Print Bar Code's"));
        QCOMPARE(Child<QLabel>(&dialog, "lblExplanation")->text(),
                 QStringLiteral("Please enter the starting Identifier Serial Number, and how many "
                                "labels you will be printing Bar Code's on."));
        QCOMPARE(Child<QLineEdit>(&dialog, "editCustID")->text(), QStringLiteral("12-345-6789"));
        QCOMPARE(Child<QLineEdit>(&dialog, "editSerialNum")->text(), QStringLiteral("00000042"));
        QCOMPARE(dialog.focusWidget(), Child<QLineEdit>(&dialog, "editSerialNum"));
        auto* spin = Child<QSpinBox>(&dialog, "editNumLabels");
        QCOMPARE(spin->value(), 1);
        QCOMPARE(spin->minimum(), 1);
        QCOMPARE(spin->maximum(), 1000);

        const QString custHint =
            QStringLiteral("Click on \"Help\" for information on the Customer ID");
        const QString serialHint =
            QStringLiteral("Click on \"Help\" for information on the Identifier Serial Number");
        QCOMPARE(Child<QLabel>(&dialog, "lblCustID")->toolTip(), custHint);
        QCOMPARE(Child<QLabel>(&dialog, "lblNumLabels")->toolTip(), custHint);
        QCOMPARE(Child<QLabel>(&dialog, "lblSerialNum")->toolTip(), serialHint);
        QCOMPARE(Child<QLineEdit>(&dialog, "editCustID")->toolTip(), serialHint);
        QCOMPARE(Child<QLineEdit>(&dialog, "editSerialNum")->toolTip(), serialHint);

        // Help: the Mailer Number dialog's panel, its address not clickable.
        auto* panel = Child<QFrame>(&dialog, "panelBarCode");
        QVERIFY(!panel->isVisible());
        Click(&dialog, "btnHelp");
        QVERIFY(panel->isVisible());
        QCOMPARE(dialog.height(), 383);
        QVERIFY(!Child<QPushButton>(&dialog, "btnHelp")->isEnabled());
        QString text;
        for (QLabel* label : panel->findChildren<QLabel*>()) {
            QTextDocument document;
            document.setHtml(label->text());
            text += document.toPlainText() + "\n";
        }
        QVERIFY(text.contains("Customer ID: You may request a nine-digit customer ID (i.e., your "
                              "DUNS number) from your postal representative"));
        QVERIFY(text.contains("Identifier Serial Number: You will self-assign an eight-digit "
                              "Identifier Serial Number."));
        auto* link = Child<QLabel>(&dialog, "LabelDnB");
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QVERIFY(link->font().underline());
        QTest::mouseClick(link, Qt::LeftButton);
        QVERIFY(prompts.openedUrls.isEmpty());
        QCOMPARE(link->cursor().shape(), Qt::ArrowCursor);
    }

    // The masks take digits only, every position required; the spin field
    // takes one typed character and settles out-of-range numbers on leaving.
    void printBarCodeDialogTyping_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("count");
        QTest::newRow("zero becomes one") << "0" << 1;
        QTest::newRow("one digit") << "7" << 7;
        QTest::newRow("second character refused") << "25" << 2;
        QTest::newRow("lone minus") << "-" << 1;
    }

    void printBarCodeDialogTyping() {
        QFETCH(QString, typed);
        QFETCH(int, count);
        AppSettings settings;
        ScriptedPrompts prompts;
        TF_PrintBarCode dialog(settings, prompts);
        const int result = RunWith(dialog, [&](QDialog* d) {
            d->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(d));
            auto* cust = Child<QLineEdit>(d, "editCustID");
            cust->setFocus(Qt::TabFocusReason);
            cust->selectAll();
            QTest::keyClicks(cust, "98x7654321");
            QCOMPARE(cust->text(), QStringLiteral("98-765-4321"));
            auto* spin = Child<QSpinBox>(d, "editNumLabels");
            spin->setFocus(Qt::TabFocusReason);
            TypeInSpin(spin, typed);
            Child<QLineEdit>(d, "editSerialNum")->setFocus(Qt::TabFocusReason);
            QCOMPARE(spin->value(), count);
            Click(d, "btnOK");
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(settings.BarCodeLabelCount, count);
        QCOMPARE(settings.CustID, std::string("98-765-4321"));
        QCOMPARE(settings.SerialNum, std::string("00000000"));
    }

    void printBarCodeDialogSpinButtonsReachThousand() {
        AppSettings settings;
        ScriptedPrompts prompts;
        TF_PrintBarCode dialog(settings, prompts);
        auto* spin = Child<QSpinBox>(&dialog, "editNumLabels");
        spin->setValue(999);
        spin->stepUp();
        spin->stepUp();
        QCOMPARE(spin->value(), 1000);
        RunWith(dialog, [](QDialog* d) { Click(d, "btnOK"); });
        QCOMPARE(settings.BarCodeLabelCount, 1000);
    }

    // OK before a lone sign was settled: nothing of the dialog is taken over;
    // the opener reads the text.
    void printBarCodeDialogCountNotANumber() {
        AppSettings settings;
        settings.BarCodeLabelCount = 5;
        ScriptedPrompts prompts;
        TF_PrintBarCode dialog(settings, prompts);
        const int result = RunWith(dialog, [](QDialog* d) {
            Child<QLineEdit>(d, "editSerialNum")->setText("00000077");
            Child<QSpinBox>(d, "editNumLabels")->findChild<QLineEdit*>()->setText("-");
            d->accept();
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(dialog.CountText(), QStringLiteral("-"));
        QCOMPARE(settings.BarCodeLabelCount, 5);
        QCOMPARE(settings.SerialNum, std::string("00000000"));
    }

    void printBarCodeDialogIncompleteAndCancel_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("incomplete serial then cancel") << 0;
        QTest::newRow("escape") << 1;
    }

    void printBarCodeDialogIncompleteAndCancel() {
        QFETCH(int, how);
        AppSettings settings;
        ScriptedPrompts prompts;
        TF_PrintBarCode dialog(settings, prompts);
        const int result = RunWith(dialog, [&](QDialog* d) {
            auto* serial = Child<QLineEdit>(d, "editSerialNum");
            serial->setText("123");
            Child<QLineEdit>(d, "editCustID")->setText("12-345-6789");
            if (how == 0) {
                Click(d, "btnOK");
                QVERIFY(d->isVisible());
                QCOMPARE(prompts.Kinds(), QStringList{"Error"});
                QCOMPARE(d->focusWidget(), serial);
                Click(d, "btnCancel");
            } else {
                QTest::keyClick(serial, Qt::Key_Escape);
            }
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(settings.CustID, std::string("00-000-0000"));
        QCOMPARE(settings.SerialNum, std::string("00000000"));
        QCOMPARE(settings.BarCodeLabelCount, 0);
    }

    void alignSpinValue_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("number") << "12" << 12;
        QTest::newRow("negative") << "-5" << -5;
        QTest::newRow("empty") << "" << -999;
        QTest::newRow("lone minus") << "-" << -999;
        QTest::newRow("lone plus") << "+" << -999;
        QTest::newRow("beyond range") << "1234" << 999;
    }

    void alignSpinValue() {
        QFETCH(QString, text);
        QFETCH(int, value);
        QCOMPARE(AlignSpinValue(text), value);
    }

    void alignDialog_data() {
        QTest::addColumn<QString>("leftRight");
        QTest::addColumn<QString>("upDown");
        QTest::addColumn<int>("storedLeftRight");
        QTest::addColumn<int>("storedTopBottom");
        QTest::newRow("numbers") << "25"
                                 << "-7" << 25 << -7;
        QTest::newRow("cleared") << ""
                                 << "999" << -999 << 999;
        QTest::newRow("lone sign") << "-"
                                   << "0" << -999 << 0;
        QTest::newRow("three characters at most") << "1234"
                                                  << "-999" << 123 << -99;
    }

    void alignDialog() {
        QFETCH(QString, leftRight);
        QFETCH(QString, upDown);
        QFETCH(int, storedLeftRight);
        QFETCH(int, storedTopBottom);
        AppSettings settings;
        settings.AlignLeftRight = 4;
        settings.AlignTopBottom = -3;
        TF_Align dialog(settings);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Printer Alignment"));
        QCOMPARE(Child<QSpinBox>(&dialog, "spinLeftRight")->value(), 4);
        QCOMPARE(Child<QSpinBox>(&dialog, "SpinUpDown")->value(), -3);
        QCOMPARE(Child<QSpinBox>(&dialog, "SpinUpDown")->minimum(), -999);
        QCOMPARE(Child<QSpinBox>(&dialog, "SpinUpDown")->maximum(), 999);
        RunWith(dialog, [&](QDialog* d) {
            TypeInSpin(Child<QSpinBox>(d, "spinLeftRight"), leftRight);
            TypeInSpin(Child<QSpinBox>(d, "SpinUpDown"), upDown);
            Click(d, "btnOK");
        });
        QCOMPARE(settings.AlignLeftRight, storedLeftRight);
        QCOMPARE(settings.AlignTopBottom, storedTopBottom);
    }

    // Enter in the field and leaving it settle its text the same way OK reads
    // it: no number there counts as the lowest value, not as the one before.
    void alignEnterWithoutNumber_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored");
        QTest::newRow("cleared") << "" << -999;
        QTest::newRow("lone minus") << "-" << -999;
        QTest::newRow("lone plus") << "+" << -999;
        QTest::newRow("number") << "12" << 12;
    }

    void alignEnterWithoutNumber() {
        QFETCH(QString, typed);
        QFETCH(int, stored);
        AppSettings settings;
        settings.AlignLeftRight = 4;
        settings.AlignTopBottom = -3;
        TF_Align dialog(settings);
        const int result = RunWith(dialog, [&](QDialog* d) {
            auto* spin = Child<QSpinBox>(d, "spinLeftRight");
            spin->setFocus(Qt::TabFocusReason);
            TypeInSpin(spin, typed);
            QTest::keyClick(spin, Qt::Key_Return);
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(settings.AlignLeftRight, stored);
        QCOMPARE(settings.AlignTopBottom, -3);
    }

    void alignLeavingFieldWithoutNumber() {
        AppSettings settings;
        settings.AlignTopBottom = 40;
        TF_Align dialog(settings);
        RunWith(dialog, [&](QDialog* d) {
            d->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(d));
            auto* spin = Child<QSpinBox>(d, "SpinUpDown");
            spin->setFocus(Qt::TabFocusReason);
            TypeInSpin(spin, "-");
            Child<QSpinBox>(d, "spinLeftRight")->setFocus(Qt::TabFocusReason);
            QCOMPARE(spin->value(), -999);
            Click(d, "btnOK");
        });
        QCOMPARE(settings.AlignTopBottom, -999);
    }

    void alignKeepsStoredExtremes() {
        AppSettings settings;
        settings.AlignLeftRight = -999;
        settings.AlignTopBottom = 999;
        TF_Align dialog(settings);
        settings.AlignLeftRight = 0;
        settings.AlignTopBottom = 0;
        RunWith(dialog, [](QDialog* d) { Click(d, "btnOK"); });
        QCOMPARE(settings.AlignLeftRight, -999);
        QCOMPARE(settings.AlignTopBottom, 999);
    }

    void alignSpinButtonsStopAtRange() {
        AppSettings settings;
        settings.AlignLeftRight = -998;
        TF_Align dialog(settings);
        RunWith(dialog, [](QDialog* d) {
            auto* spin = Child<QSpinBox>(d, "spinLeftRight");
            spin->stepDown();
            spin->stepDown();
            Click(d, "btnOK");
        });
        QCOMPARE(settings.AlignLeftRight, -999);
    }

    void alignCancelKeepsValues() {
        AppSettings settings;
        settings.AlignLeftRight = 4;
        TF_Align dialog(settings);
        const int result = RunWith(dialog, [](QDialog* d) {
            TypeInSpin(Child<QSpinBox>(d, "spinLeftRight"), "50");
            Click(d, "btnCancel");
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(settings.AlignLeftRight, 4);
    }

    void extraLabelDialog_data() {
        QTest::addColumn<QString>("printInitially");
        QTest::addColumn<QString>("choose");
        QTest::addColumn<QString>("comboText");
        QTest::addColumn<QString>("printAfter");
        QTest::addColumn<QString>("labelAfter");
        QTest::newRow("typed text stores default") << "Yes"
                                                   << ""
                                                   << "abc"
                                                   << "Yes"
                                                   << "Addressed To";
        QTest::newRow("sender address") << "Yes"
                                        << ""
                                        << "Your Name and Address"
                                        << "Yes"
                                        << "Your Name and Address";
        QTest::newRow("switched off") << "Yes"
                                      << "rbNo"
                                      << ""
                                      << "No"
                                      << "Addressed To";
        QTest::newRow("switched on") << "No"
                                     << "rbYes"
                                     << "Your Name and Address"
                                     << "Yes"
                                     << "Your Name and Address";
    }

    void extraLabelDialog() {
        QFETCH(QString, printInitially);
        QFETCH(QString, choose);
        QFETCH(QString, comboText);
        QFETCH(QString, printAfter);
        QFETCH(QString, labelAfter);
        AppSettings settings;
        settings.PrintExtraLabel = printInitially.toStdString();
        TF_ExtraLabel dialog(settings);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Extra Label"));
        const bool no = printInitially == "No";
        QCOMPARE(Child<QRadioButton>(&dialog, "rbNo")->isChecked(), no);
        QCOMPARE(Child<QComboBox>(&dialog, "cbExtraLabel")->isEnabled(), !no);
        QCOMPARE(Child<QComboBox>(&dialog, "cbExtraLabel")->count(), 2);
        QCOMPARE(Child<QComboBox>(&dialog, "cbExtraLabel")->currentText(),
                 QStringLiteral("Addressed To"));
        RunWith(dialog, [&](QDialog* d) {
            if (!choose.isEmpty()) {
                Child<QRadioButton>(d, choose.toLatin1().constData())->click();
                QCOMPARE(Child<QComboBox>(d, "cbExtraLabel")->isEnabled(), choose == "rbYes");
            }
            if (!comboText.isEmpty()) {
                Child<QComboBox>(d, "cbExtraLabel")->setEditText(comboText);
            }
            Click(d, "btnOK");
        });
        QCOMPARE(QString::fromStdString(settings.PrintExtraLabel), printAfter);
        QCOMPARE(QString::fromStdString(settings.ExtraLabel), labelAfter);
    }

    void extraLabelCancelKeepsValues() {
        AppSettings settings;
        TF_ExtraLabel dialog(settings);
        RunWith(dialog, [](QDialog* d) {
            Child<QRadioButton>(d, "rbNo")->click();
            Child<QComboBox>(d, "cbExtraLabel")->setEditText("Your Name and Address");
            QTest::keyClick(d, Qt::Key_Escape);
        });
        QCOMPARE(settings.PrintExtraLabel, std::string("Yes"));
        QCOMPARE(settings.ExtraLabel, std::string("Addressed To"));
    }

    void registrationPicture_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<bool>("wellFormed");
        QTest::newRow("as shipped") << "" << true;
        QTest::newRow("empty") << "empty" << false;
        QTest::newRow("not a metafile") << "text" << false;
        QTest::newRow("truncated") << "truncate" << false;
        QTest::newRow("signature") << "signature" << false;
        QTest::newRow("record size") << "record" << false;
    }

    void registrationPicture() {
        QFETCH(QString, damage);
        QFETCH(bool, wellFormed);
        QFile file(QStringLiteral(VELL3_TEST_BCAPP));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray emf = file.readAll();
        if (damage == "empty") {
            emf.clear();
        } else if (damage == "text") {
            emf = QByteArray("This is no picture at all.").repeated(20);
        } else if (damage == "truncate") {
            emf.truncate(emf.size() / 2);
        } else if (damage == "signature") {
            emf[41] = 'X';
        } else if (damage == "record") {
            // The second record claims to run past the end of the file.
            const int second = int(quint8(emf[4])) | int(quint8(emf[5])) << 8;
            emf[second + 6] = char(0x7f);
        }
        QCOMPARE(IsWellFormedEmf(emf), wellFormed);
        const QByteArray svg = EmfToSvg(emf);
        QCOMPARE(!svg.isEmpty(), wellFormed);
        if (wellFormed) {
            QVERIFY(svg.contains("Bar Code Printing Registration"));
            QVERIFY(svg.contains("DUNS number"));
        }

        // Printing a damaged picture prints nothing.
        QTemporaryDir dir;
        QFile damaged(dir.path() + "/bcapp.emf");
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(emf);
        damaged.close();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.path() + "/out.pdf");
        QCOMPARE(PrintRegistrationForm(printer, damaged.fileName()), wellFormed);
        QCOMPARE(QFileInfo::exists(dir.path() + "/out.pdf"), wellFormed);
    }
};

QTEST_MAIN(DialogsTest)
#include "test_dialogs.moc"
