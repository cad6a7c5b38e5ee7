// The start of the program: the splash, the prompts of the first show in
// their order and conditions, and what the next start sees of them.

#include "MainFixture.h"

#include "U_About.h"

#include <QImage>
#include <QLabel>
#include <QPointer>

using namespace vell3;
using namespace vell3::test;

namespace {

// Fills the sender dialog of a first run.
void AnswerSenderDialog(QDialog* dialog) {
    Child<QPlainTextEdit>(dialog, "memoYourAddress")
        ->setPlainText("Acme Legal LLP\n400 Oak Avenue");
    Child<QLineEdit>(dialog, "editYourCity")->setText("Dayton");
    Child<QLineEdit>(dialog, "editYourState")->setText("OH");
    Child<QLineEdit>(dialog, "editYourZip")->setText("45402");
    Click(dialog, "btnOK");
}

void AnswerMailerDialog(QDialog* dialog) {
    Child<QLineEdit>(dialog, "editCustID")->setText("12-345-6789");
    Click(dialog, "btnOK");
}

} // namespace

class FirstRunTest : public QObject {
    Q_OBJECT

private slots:
    void firstRunAsksInOrder_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("barCodeAppAfter");
        QTest::addColumn<bool>("printed");
        QTest::newRow("never print") << 1 << false << false;
        QTest::newRow("print later") << 2 << true << false;
        QTest::newRow("print now") << 3 << false << true;
    }

    void firstRunAsksInOrder() {
        QFETCH(int, answer);
        QFETCH(bool, barCodeAppAfter);
        QFETCH(bool, printed);
        MainFixture f;
        QVERIFY(
            QFile::copy(QStringLiteral(VELL3_TEST_BCAPP), f.sandbox.programFolder() + "bcapp.emf"));
        f.prompts.threeWayAnswers = {answer};
        ModalDriver driver;
        driver.Expect("TF_YourAddress", [&](QDialog* dialog) {
            f.prompts.calls.append({"Dialog", dialog->objectName(), {}, {}});
            AnswerSenderDialog(dialog);
        });
        driver.Expect("TF_Mailer", [&](QDialog* dialog) {
            f.prompts.calls.append({"Dialog", dialog->objectName(), {}, {}});
            QVERIFY(!Child<QWidget>(dialog, "cbDontShow")->isVisible());
            QCOMPARE(Child<QLineEdit>(dialog, "editSerialNum")->text(), QStringLiteral("00000000"));
            AnswerMailerDialog(dialog);
        });

        f.Create(QByteArray()); // no settings file at all
        const QString pdf = f.sandbox.dir.path() + "/registration.pdf";
        f.window->Printer().setOutputFormat(QPrinter::PdfFormat);
        f.window->Printer().setOutputFileName(pdf);
        QVERIFY(f.window->FirstShowPending());
        QVERIFY(f.Show());
        QVERIFY(driver.Done());
        QVERIFY(!f.window->FirstShowPending());

        QCOMPARE(f.prompts.Kinds(),
                 (QStringList{"Dialog", "Information", "Dialog", "AskThreeWay"}));
        QCOMPARE(f.prompts.calls[0].title, QStringLiteral("TF_YourAddress"));
        QCOMPARE(f.prompts.calls[1].text,
                 QStringLiteral("If you have labels without any Bar Code's, you must select a "
                                "\"DUNS\" number."));
        QCOMPARE(f.prompts.calls[2].title, QStringLiteral("TF_Mailer"));
        const auto& ask = f.prompts.calls[3];
        QCOMPARE(ask.title, QStringLiteral("Bar Code Printing Registration"));
        QVERIFY(ask.text.startsWith("This software prints the newly required Bar Code on the your "
                                    "Certified Mailer."));
        QCOMPARE(ask.captions, (QStringList{"&Never Print", "Print &Later", "&Print Now"}));

        // The sender typed in the dialog shows in the window.
        QCOMPARE(f.window->SenderLabelTexts()[2], QStringLiteral("Dayton OH 45402"));
        QCOMPARE(f.settings.CustID, std::string("12-345-6789"));
        QCOMPARE(f.settings.CompanyType, std::string("Ambervale"));
        QCOMPARE(f.settings.BarCodeApp, barCodeAppAfter);
        QCOMPARE(QFileInfo::exists(pdf), printed);

        // The answer reaches the file at the close, and the next start asks
        // again only after "Print Later".
        f.window->close();
        f.window.reset();
        MainFixture again;
        again.sandbox.WriteSettings(f.sandbox.ReadSettings());
        again.Create(QByteArray());
        QVERIFY(again.Show());
        QCOMPARE(again.prompts.Kinds(),
                 barCodeAppAfter ? QStringList{"AskThreeWay"} : QStringList{});
    }

    void cancelledSenderDialogStillRunsTheRest() {
        MainFixture f;
        ModalDriver driver;
        driver.Expect("TF_YourAddress", [](QDialog* dialog) { Click(dialog, "btnCancel"); });
        driver.Expect("TF_Mailer", [](QDialog* dialog) { Click(dialog, "btnCancel"); });
        f.prompts.threeWayAnswers = {2};
        QVERIFY(f.Start(QByteArray()));
        QVERIFY(driver.Done());
        QCOMPARE(f.prompts.Kinds(), (QStringList{"Information", "AskThreeWay"}));
        QCOMPARE(f.settings.CustID, std::string("00-000-0000"));
        QCOMPARE(f.window->SenderLabelTexts()[0], QString());
    }

    void promptConditions_data() {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QStringList>("kinds");
        QTest::newRow("sender set, pre-printed mode")
            << QByteArray("[YourAddress]\nCity=Dayton\n[Values]\nPrintBarCode=0\n"
                          "[type]\nbarcodeapp=0\n")
            << QStringList{};
        QTest::newRow("only the state set still counts as a sender")
            << QByteArray("[YourAddress]\nState=OH\n[Values]\nCustID=12-345-6789\n"
                          "[Type]\nBarCodeApp=0\n")
            << QStringList{};
        QTest::newRow("DUNS missing in barcode mode")
            << QByteArray("[YourAddress]\nLine1=Acme\n[Type]\nBarCodeApp=0\n")
            << QStringList{"Information"};
        QTest::newRow("registration pending")
            << QByteArray("[YourAddress]\nLine1=Acme\n[Values]\nCustID=12-345-6789\n")
            << QStringList{"AskThreeWay"};
    }

    void promptConditions() {
        QFETCH(QByteArray, settings);
        QFETCH(QStringList, kinds);
        MainFixture f;
        ModalDriver driver;
        if (kinds.contains("Information")) {
            driver.Expect("TF_Mailer", [](QDialog* dialog) { Click(dialog, "btnCancel"); });
        }
        QVERIFY(f.Start(settings));
        QVERIFY(driver.Done());
        QCOMPARE(f.prompts.Kinds(), kinds);
    }

    void resellerLogoChoosesBranding_data() {
        QTest::addColumn<bool>("logo");
        QTest::addColumn<QString>("company");
        QTest::newRow("no logo") << false << "Ambervale";
        QTest::newRow("logo") << true << "Brisquel";
    }

    void resellerLogoChoosesBranding() {
        QFETCH(bool, logo);
        QFETCH(QString, company);
        MainFixture f;
        if (logo) {
            QImage picture(40, 20, QImage::Format_RGB32);
            picture.fill(Qt::darkGreen);
            QVERIFY(picture.save(f.sandbox.programFolder() + "Scr_logo.bmp", "BMP"));
        }
        QVERIFY(
            f.Start("[YourAddress]\nLine1=Acme\n[Values]\nPrintBarCode=0\n[Type]\nBarCodeApp=0\n"));
        QCOMPARE(QString::fromStdString(f.settings.CompanyType), company);
        // The reseller's logo takes the company picture's place in its own size.
        auto* picture = Child<QLabel>(f.window.get(), "imageCompany");
        QCOMPARE(picture->size(), logo ? QSize(197, 97) : QSize(257, 74));
        f.window->close();
        QVERIFY(f.sandbox.ReadSettings().contains("Company=" + company.toLatin1()));
    }

    void splashStaysItsFullTimeThenGoes() {
        MainFixture f;
        f.sandbox.WriteSettings(kQuietSettings);
        QElapsedTimer clock;
        auto* splash = new TF_About(f.settings, f.prompts, 1);
        QPointer<TF_About> watch(splash);
        splash->show();
        clock.start();
        QVERIFY(splash->TimerRunning());
        MainSetup setup = f.sandbox.Setup();
        setup.splash = splash;
        f.window = std::make_unique<TF_Main>(f.settings, f.prompts, setup);
        QVERIFY(clock.elapsed() >= TF_About::kSplashMilliseconds - 50);
        QVERIFY(!splash->TimerRunning());
        QVERIFY(watch);
        QVERIFY(f.Show());
        QVERIFY(!watch);
    }
};

QTEST_MAIN(FirstRunTest)
#include "test_first_run.moc"
