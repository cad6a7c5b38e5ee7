// A mailer printed from the real window on the run's printer: the default
// queue of a private CUPS scheduler with a cups-pdf printer. The PDF the queue
// writes must carry both Code 128 symbols of the label number, readable by
// zbarimg, and the log must hold the row.

#include "MainFixture.h"
#include "PrintTestSupport.h"

#include "LabelNumber.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>

using namespace vell3;
using namespace vell3::test;

namespace {

// The PDF files in the queue's output folder.
QFileInfoList Pdfs() {
    return QDir(QStringLiteral(VELL3_CUPS_OUT))
        .entryInfoList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time);
}

// Waits for a PDF that was not there before to appear and stop growing.
QString WaitForNewPdf(const QStringList& before, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    qint64 lastSize = -1;
    QString candidate;
    while (clock.elapsed() < timeoutMs) {
        for (const QFileInfo& pdf : Pdfs()) {
            if (!before.contains(pdf.fileName())) {
                candidate = pdf.absoluteFilePath();
            }
        }
        if (!candidate.isEmpty()) {
            const qint64 size = QFileInfo(candidate).size();
            if (size > 0 && size == lastSize) {
                return candidate;
            }
            lastSize = size;
        }
        QTest::qWait(500);
    }
    return {};
}

QString Run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000)) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The Code 128 symbols zbarimg reads in one band of the page rasterised at
// 300 dpi: zbar reports identical symbols of one image as one, so each band
// holds one of the two label symbols (the small one above 3.3 inches from the
// top, the large one below).
QStringList SymbolsInBand(const QString& pdf, const QString& dir, int top, int height) {
    const QString png = dir + QStringLiteral("/band");
    Run(QStringLiteral("pdftoppm"),
        {"-r", "300", "-png", "-singlefile", "-f", "1", "-l", "1", "-y", QString::number(top), "-H",
         QString::number(height), "-W", "2600", pdf, png});
    return Run(QStringLiteral("zbarimg"),
               {"-q", "--raw", "-Scode128.enable", png + QStringLiteral(".png")})
        .split('\n', Qt::SkipEmptyParts);
}

} // namespace

class PrintCupsTest : public QObject {
    Q_OBJECT

private slots:
    void printsThroughTheQueue() {
        QVERIFY2(!QPrinterInfo::defaultPrinterName().isEmpty(), "no default CUPS printer");
        const EngineErrorRecorder engine;
        MainFixture f;
        QVERIFY(f.Start(kQuietSettings + "SerialNum=00000041\n"));
        QCOMPARE(f.window->Printer().printerName(), QPrinterInfo::defaultPrinterName());
        f.settings.ShowMailerBeforePrint = false;
        f.Get<QPlainTextEdit>("memoAddress")->setPlainText(QStringLiteral("John Smith\n4 Elm Rd"));
        f.TypeAndLeave("editCity", QStringLiteral("Boston"));
        f.TypeAndLeave("editState", QStringLiteral("MA"));
        f.Edit("editZip")->setText(QStringLiteral("021341234"));

        QStringList before;
        for (const QFileInfo& pdf : Pdfs()) {
            before.append(pdf.fileName());
        }
        Click(f.window.get(), "btnPrint");
        QVERIFY2(f.prompts.calls.isEmpty(),
                 qPrintable(f.prompts.calls.isEmpty() ? QString() : f.prompts.calls[0].text));
        QVERIFY(f.window->EntryLooksPrinted());

        const QString pdf = WaitForNewPdf(before, 90000);
        QVERIFY2(!pdf.isEmpty(), "the queue wrote no PDF");
        const QString number = QString::fromStdString(BuildLabelNumber("123456789", "00000042"));
        QCOMPARE(SymbolsInBand(pdf, f.sandbox.dir.path(), 0, 990), QStringList{number});
        QCOMPARE(SymbolsInBand(pdf, f.sandbox.dir.path(), 990, 2400), QStringList{number});

        bool ok = false;
        const QJsonArray rows =
            ReadTableWithDbfread(QString::fromStdString(f.window->ReportTableFile()), &ok);
        QVERIFY(ok);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].toObject()["mailernum"].toString(),
                 QString::fromStdString(GroupLabelNumber(number.toStdString())));
        QCOMPARE(rows[0].toObject()["zip"].toString(), QStringLiteral("02134-1234"));
        QVERIFY(engine.errors.empty());
    }
};

QTEST_MAIN(PrintCupsTest)
#include "test_print_cups.moc"
