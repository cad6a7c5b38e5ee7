// Report > Clear through the main window: the empty log, the question, the
// save into a new or an existing table, and the saves that must not empty the
// log.

#include "MainFixture.h"
#include "PrintTestSupport.h"

#include "ClearLog.h"
#include "DbfDate.h"
#include "LogRecord.h"
#include "LogTable.h"
#include "MailerEntry.h"

#include <QAction>
#include <QDate>
#include <QFile>

using namespace vell3;
using namespace vell3::test;

namespace {

log::LogRecord Row(const char* name, const char* number) {
    log::LogRecord record;
    record.sentname = {name, "1 Main St", "", ""};
    record.city = "Dayton";
    record.state = "OH";
    record.zip = "45402";
    record.rdate = mailing::Today();
    record.mailernum = number;
    record.postage = "   0.39";
    record.certified = "   2.40";
    record.restricted = " ";
    record.returnFee = "   1.85";
    record.total = "   4.64";
    return record;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Names(const QJsonArray& rows) {
    QStringList names;
    for (const QJsonValue& row : rows) {
        names.append(row.toObject()["sentname0"].toString());
    }
    return names;
}

} // namespace

class ClearLogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainFixture> f_;
    std::unique_ptr<EngineErrorRecorder> engine_;

    std::string Log() const { return f_->window->ReportTableFile(); }
    QString LogPath() const { return QString::fromStdString(Log()); }
    QString Folder() const { return f_->sandbox.dir.path() + QStringLiteral("/saved"); }
    QJsonArray Rows(const QString& path) {
        bool ok = false;
        QJsonArray rows = ReadTableWithDbfread(path, &ok);
        if (!ok) {
            qFatal("the table does not read");
        }
        return rows;
    }
    void FillLog() {
        QVERIFY(log::AppendLogRecord(Log(), Row("Alice", "7112 3456 7890 0000 0429")));
        QVERIFY(log::AppendLogRecord(Log(), Row("Bob", "7112 3456 7890 0000 0436")));
    }
    void TriggerClear() { f_->window->findChild<QAction*>("ClearReport1")->trigger(); }

private slots:
    void init() {
        engine_ = std::make_unique<EngineErrorRecorder>();
        f_ = std::make_unique<MainFixture>();
        QDir().mkpath(f_->sandbox.dir.path() + QStringLiteral("/saved"));
        QVERIFY(f_->Start());
        f_->settings.AddressFolder = Folder().toStdString();
    }

    void cleanup() {
        f_.reset();
        engine_.reset();
    }

    void emptyLog_data() {
        QTest::addColumn<bool>("fileExists");
        QTest::newRow("no log file yet") << false;
        QTest::newRow("log without rows") << true;
    }

    void emptyLog() {
        QFETCH(bool, fileExists);
        if (fileExists) {
            log::OpenLogForPrinting(Log());
        }
        TriggerClear();
        QCOMPARE(f_->prompts.Kinds(), QStringList{"Error"});
        QCOMPARE(f_->prompts.calls[0].text, QStringLiteral("Report is already empty."));
    }

    // Yes and a new file: the proposed name is today's short date without "/"
    // in the address folder; the file is an exact copy; the log is emptied.
    void yesToNewFile() {
        FillLog();
        const QByteArray before = FileBytes(LogPath());
        const QString target = Folder() + QStringLiteral("/copy.dbf");
        f_->prompts.confirmThreeAnswers = {Prompts::Answer::Yes};
        f_->prompts.fileAnswers = {target};
        TriggerClear();
        QCOMPARE(f_->prompts.Kinds(), (QStringList{"Confirm", "SaveFile"}));
        QCOMPARE(f_->prompts.calls[0].text,
                 QStringLiteral("Do you wish to save the data in the report?"));
        QString proposed = QString::fromStdString(tables::FormatShortDate(mailing::Today()));
        proposed.remove('/');
        QCOMPARE(f_->prompts.calls[1].text, Folder() + "/" + proposed + ".dbf");
        QVERIFY(!f_->prompts.calls[1].text.contains(QStringLiteral("//")));
        QCOMPARE(FileBytes(target), before);
        QCOMPARE(Names(Rows(target)), (QStringList{"Alice", "Bob"}));
        QVERIFY(Rows(LogPath()).isEmpty());
    }

    void yesToExistingFile() {
        const QString target = Folder() + QStringLiteral("/earlier.dbf");
        QVERIFY(
            log::AppendLogRecord(target.toStdString(), Row("Carol", "7112 3456 7890 0000 0412")));
        FillLog();
        f_->prompts.confirmThreeAnswers = {Prompts::Answer::Yes};
        f_->prompts.fileAnswers = {target};
        TriggerClear();
        QCOMPARE(f_->prompts.Kinds(), (QStringList{"Confirm", "SaveFile"}));
        const QJsonArray rows = Rows(target);
        QCOMPARE(Names(rows), (QStringList{"Carol", "Alice", "Bob"}));
        QCOMPARE(rows[2].toObject()["mailernum"].toString(),
                 QStringLiteral("7112 3456 7890 0000 0436"));
        QCOMPARE(rows[2].toObject()["rdate"].toString(),
                 QDate::currentDate().toString(Qt::ISODate));
        QVERIFY(Rows(LogPath()).isEmpty());
    }

    void noAndCancelAndCancelledSave_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("emptied");
        QTest::newRow("no") << int(Prompts::Answer::No) << true;
        QTest::newRow("cancel") << int(Prompts::Answer::Cancel) << false;
        QTest::newRow("yes, save dialog cancelled") << int(Prompts::Answer::Yes) << true;
    }

    void noAndCancelAndCancelledSave() {
        QFETCH(int, answer);
        QFETCH(bool, emptied);
        FillLog();
        const QByteArray before = FileBytes(LogPath());
        f_->prompts.confirmThreeAnswers = {Prompts::Answer(answer)};
        TriggerClear();
        const bool yes = Prompts::Answer(answer) == Prompts::Answer::Yes;
        QCOMPARE(f_->prompts.Kinds(),
                 (yes ? QStringList{"Confirm", "SaveFile"} : QStringList{"Confirm"}));
        if (emptied) {
            QVERIFY(Rows(LogPath()).isEmpty());
        } else {
            QCOMPARE(FileBytes(LogPath()), before);
        }
        QVERIFY(QDir(Folder()).entryList(QDir::Files).isEmpty());
    }

    // The log itself as the target, or a save that cannot be written: an
    // error box with the reason, the log as it was, the program running on.
    void failedSaveKeepsTheLog_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("itself");
        QTest::newRow("the log itself") << QString() << true;
        QTest::newRow("a folder that does not exist") << "/nonexistent/folder/copy.dbf" << false;
        QTest::newRow("a file that is no table") << "notatable" << false;
    }

    void failedSaveKeepsTheLog() {
        QFETCH(QString, target);
        QFETCH(bool, itself);
        FillLog();
        const QByteArray before = FileBytes(LogPath());
        if (itself) {
            target = LogPath();
        } else if (target == "notatable") {
            target = Folder() + QStringLiteral("/notes.dbf");
            QFile file(target);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("plain words, no table header here");
        }
        f_->prompts.confirmThreeAnswers = {Prompts::Answer::Yes};
        f_->prompts.fileAnswers = {target};
        TriggerClear();
        QCOMPARE(FileBytes(LogPath()), before);
        QVERIFY(!f_->prompts.Kinds().contains("Halted"));
        if (itself) {
            QCOMPARE(f_->prompts.Kinds(), (QStringList{"Confirm", "SaveFile", "Error"}));
            QCOMPARE(
                f_->prompts.calls[2].text,
                QString::fromStdString(log::LogSavedIntoItselfMessage(Log())).replace('\r', '\n'));
            QVERIFY(f_->prompts.calls[2].text.contains(LogPath()));
            QVERIFY(engine_->errors.empty());
        } else if (engine_->errors.empty()) {
            QCOMPARE(f_->prompts.Kinds(), (QStringList{"Confirm", "SaveFile", "Error"}));
            QVERIFY(!f_->prompts.calls[2].text.isEmpty());
        }
        QVERIFY(f_->window->isVisible());
        QCOMPARE(Rows(LogPath()).size(), 2);
    }
};

QTEST_MAIN(ClearLogTest)
#include "test_clear_log.moc"
