// Options > Name && Address Text Files: Import and Export through the menu,
// every question answered through the prompts.

#include "AppTestSupport.h"

#include "AddressTable.h"
#include "FileFilter.h"
#include "TTzDbf.h"
#include "TextFileCommands.h"

#include <QAction>
#include <QProgressDialog>

#include <vector>

using namespace vell3;
using namespace vell3::test;

namespace {

// The scripted prompts, also keeping the folder (with a proposed name) and the
// filter each file dialog was given.
class FilePrompts : public ScriptedPrompts {
public:
    struct FileCall {
        QString title;
        QString folder;
        QString filter;
    };
    QList<FileCall> fileCalls;

    QString OpenFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override {
        fileCalls.append({title, folder, filter});
        return ScriptedPrompts::OpenFileName(parent, title, folder, filter);
    }
    QString SaveFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override {
        fileCalls.append({title, folder, filter});
        return ScriptedPrompts::SaveFileName(parent, title, folder, filter);
    }
};

struct Row {
    QStringList lines;
    QString city;
    QString state;
    QString zip;
    bool operator==(const Row&) const = default;
};

QList<Row> ReadRows(const QString& dbf) {
    tables::TTzDbf table("TzDbfCheck");
    table.SetCreateIfNotFound(false);
    table.SetDbfFileName(dbf.toStdString());
    table.Open();
    QList<Row> rows;
    const uint32_t count = table.RecCount();
    for (uint32_t n = 1; n <= count; ++n) {
        table.Go(n);
        std::vector<std::string> lines;
        table.GetMField("address", lines);
        Row row;
        for (const auto& line : lines) {
            row.lines.append(QString::fromStdString(line));
        }
        row.city = QString::fromStdString(table.GetField("city")).trimmed();
        row.state = QString::fromStdString(table.GetField("state")).trimmed();
        row.zip = QString::fromStdString(table.GetField("zip")).trimmed();
        rows.append(row);
    }
    return rows;
}

void WriteRows(const QString& dbf, const QList<Row>& rows) {
    tables::TTzDbf table("TzDbfSetUp");
    table.SetDbfFields(addresses::AddressDatabaseFieldDefinitions());
    table.SetDbfFileName(dbf.toStdString());
    table.Open();
    for (const Row& row : rows) {
        table.ClearRecord();
        std::vector<std::string> lines;
        for (const QString& line : row.lines) {
            lines.push_back(line.toStdString());
        }
        table.SetMField("address", lines);
        table.SetField("city", row.city.toStdString());
        table.SetField("state", row.state.toStdString());
        table.SetField("zip", row.zip.toStdString());
        table.ALock();
        table.AppendRec();
        table.UnLock();
    }
}

void WriteText(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qFatal("cannot write %s", qPrintable(path));
    }
    file.write(bytes);
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString kOpenTitle = QStringLiteral("Read Name and Address from File");
const QString kDatabaseFound = QStringLiteral(
    "A database of the same name has been found in this location.  Would you like to overwrite "
    "this database, or append to this database?");
const QByteArray kTwoLines = "\"Ann Lee\",\"12 Elm St\",\"\",\"\",\"Dayton\",\"OH\",\"45402\"\r\n"
                             "Bo Chen,,,,Troy,NY,12180\r\n";
const QList<Row> kTwoRows{{{"Ann Lee", "12 Elm St"}, "Dayton", "OH", "45402"},
                          {{"Bo Chen"}, "Troy", "NY", "12180"}};
const QList<Row> kOldRows{{{"Old One"}, "Akron", "OH", "44308"}};

} // namespace

class TextFilesTest : public QObject {
    Q_OBJECT

private:
    Sandbox sandbox_;
    std::unique_ptr<FilePrompts> prompts_;
    std::unique_ptr<AppSettings> settings_;
    std::unique_ptr<TF_Main> window_;

    QString Folder() const { return sandbox_.programFolder() + QStringLiteral("Addresses"); }
    QString InFolder(const QString& name) const { return Folder() + QLatin1Char('/') + name; }
    void Trigger(const char* name) {
        QAction* action = Child<QAction>(window_.get(), name);
        QVERIFY(action->isEnabled());
        action->trigger();
    }
    TextFileCommands* Commands() {
        return Child<TextFileCommands>(window_.get(), "TextFileCommands");
    }

private slots:
    void init() {
        sandbox_.WriteSettings(kQuietSettings);
        prompts_ = std::make_unique<FilePrompts>();
        settings_ = std::make_unique<AppSettings>();
        window_ = std::make_unique<TF_Main>(*settings_, *prompts_, sandbox_.Setup());
        QCOMPARE(QString::fromStdString(settings_->AddressFolder), Folder());
        for (const QString& name : QDir(Folder()).entryList(QDir::Files | QDir::Hidden)) {
            QFile::remove(InFolder(name));
        }
    }
    void cleanup() {
        window_.reset();
        prompts_.reset();
        settings_.reset();
    }

    void importIntoANewDatabase() {
        WriteText(InFolder("list.csv"), kTwoLines);
        prompts_->fileAnswers = {InFolder("list.csv"), InFolder("list.dbf")};
        Trigger("MIImport");
        QCOMPARE(prompts_->Kinds(), (QStringList{"OpenFile", "SaveFile", "Information"}));
        QCOMPARE(prompts_->calls.last().text, QStringLiteral("Import Done."));
        QCOMPARE(prompts_->fileCalls[0].title, kOpenTitle);
        QCOMPARE(prompts_->fileCalls[0].folder, Folder());
        QCOMPARE(prompts_->fileCalls[0].filter,
                 QStringLiteral("Import Files(*.txt *.csv);;All Files (*)"));
        QCOMPARE(prompts_->fileCalls[1].title, QStringLiteral("Save As"));
        QCOMPARE(prompts_->fileCalls[1].folder, InFolder("list.dbf"));
        QCOMPARE(prompts_->fileCalls[1].filter, QStringLiteral("DBF Files (*.dbf)"));
        QCOMPARE(ReadRows(InFolder("list.dbf")), kTwoRows);
        // The folder setting stays where it was.
        QCOMPARE(QString::fromStdString(settings_->AddressFolder), Folder());
    }

    void aNameTypedWithoutExtensionGetsTheDialogsOne() {
        WriteText(InFolder("list.txt"), kTwoLines);
        prompts_->fileAnswers = {InFolder("list"), InFolder("people")};
        Trigger("MIImport");
        QCOMPARE(prompts_->calls.last().text, QStringLiteral("Import Done."));
        QCOMPARE(ReadRows(InFolder("people.dbf")), kTwoRows);
    }

    void existingDatabase_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QList<Row>>("rows");
        QTest::addColumn<QStringList>("kinds");
        const QStringList asked{"OpenFile", "SaveFile", "AskThreeWay"};
        QTest::newRow("Overwrite") << 1 << kTwoRows << (asked + QStringList{"Information"});
        QTest::newRow("Append") << 2 << (kOldRows + kTwoRows)
                                << (asked + QStringList{"Information"});
        QTest::newRow("Cancel") << 3 << kOldRows << asked;
    }
    void existingDatabase() {
        QFETCH(int, answer);
        QFETCH(QList<Row>, rows);
        QFETCH(QStringList, kinds);
        WriteRows(InFolder("list.dbf"), kOldRows);
        const QByteArray before = ReadBytes(InFolder("list.dbf"));
        WriteText(InFolder("list.csv"), kTwoLines);
        prompts_->fileAnswers = {InFolder("list.csv"), InFolder("list.dbf")};
        prompts_->threeWayAnswers = {answer};
        Trigger("MIImport");
        QCOMPARE(prompts_->Kinds(), kinds);
        const auto& ask = prompts_->calls[2];
        QCOMPARE(ask.title, QStringLiteral("Vell3 Certified Mail"));
        QCOMPARE(ask.text, kDatabaseFound);
        QCOMPARE(ask.captions, (QStringList{"&Overwrite", "&Append", "&Cancel"}));
        QCOMPARE(ReadRows(InFolder("list.dbf")), rows);
        if (answer == 3) {
            QCOMPARE(ReadBytes(InFolder("list.dbf")), before);
        } else {
            QCOMPARE(prompts_->calls.last().text, QStringLiteral("Import Done."));
        }
    }

    void anUnreadableFileIsAnErrorBeforeAnyQuestion() {
        prompts_->fileAnswers = {InFolder("gone.csv"), InFolder("gone.dbf")};
        Trigger("MIImport");
        QCOMPARE(prompts_->Kinds(), (QStringList{"OpenFile", "Error"}));
        QCOMPARE(prompts_->calls.last().text,
                 QStringLiteral("Error on import: Cannot read the file \"") + InFolder("gone.csv") +
                     QStringLiteral("\": No such file or directory"));
        QVERIFY(!QFile::exists(InFolder("gone.dbf")));
    }

    void cancelledDialogsChangeNothing() {
        WriteText(InFolder("list.csv"), kTwoLines);
        prompts_->fileAnswers = {InFolder("list.csv"), QString()};
        Trigger("MIImport");
        prompts_->fileAnswers = {QString()};
        Trigger("MIExport");
        QCOMPARE(prompts_->Kinds(), (QStringList{"OpenFile", "SaveFile", "OpenFile"}));
        QCOMPARE(QDir(Folder()).entryList(QDir::Files), QStringList{"list.csv"});
    }

    void databaseModeHooksFrameTheImport_data() {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<bool>("hooked");
        QTest::newRow("done") << QStringList{"list.csv", "list.dbf"} << true;
        QTest::newRow("save dialog cancelled") << QStringList{"list.csv", ""} << true;
        QTest::newRow("unreadable file") << QStringList{"gone.csv"} << true;
        QTest::newRow("open dialog cancelled") << QStringList{""} << false;
    }
    void databaseModeHooksFrameTheImport() {
        QFETCH(QStringList, answers);
        QFETCH(bool, hooked);
        WriteText(InFolder("list.csv"), kTwoLines);
        for (const QString& answer : answers) {
            prompts_->fileAnswers.push_back(answer.isEmpty() ? QString() : InFolder(answer));
        }
        QStringList events;
        Commands()->beforeImport = [&] { events << "before:" + prompts_->Kinds().join(','); };
        Commands()->afterImport = [&] { events << "after:" + prompts_->Kinds().join(','); };
        Trigger("MIImport");
        if (!hooked) {
            QVERIFY(events.isEmpty());
            return;
        }
        QCOMPARE(events.size(), 2);
        QCOMPARE(events[0], QStringLiteral("before:OpenFile"));
        // The table comes back after the message of a done import, before an error's.
        QVERIFY2(!events[1].endsWith("Error"), qPrintable(events[1]));
        if (answers.size() == 2 && !answers[1].isEmpty()) {
            QVERIFY(events[1].endsWith("Information"));
        }
    }

    void aLongImportShowsProgressAndCanBeCancelled() {
        QByteArray text;
        for (int i = 0; i < 3000; ++i) {
            text += "Name " + QByteArray::number(i) + ",,,,City,ST,12345\r\n";
        }
        WriteText(InFolder("long.csv"), text);
        Commands()->progressWindowFrom = 1000;
        prompts_->fileAnswers = {InFolder("long.csv"), InFolder("long.dbf")};
        int shown = 0;
        QTimer poll;
        poll.setInterval(0);
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* progress = window_->findChild<QProgressDialog*>("TextFileProgress");
            if (progress != nullptr && progress->isVisible() && progress->value() >= 256) {
                ++shown;
                QCOMPARE(progress->maximum(), 3000);
                progress->cancel();
            }
        });
        poll.start();
        Trigger("MIImport");
        poll.stop();
        QVERIFY(shown >= 1);
        const QString message = prompts_->calls.last().text;
        QVERIFY2(message.startsWith("Import cancelled. ") &&
                     message.endsWith(" records were appended."),
                 qPrintable(message));
        const int appended = message.section(' ', 2, 2).toInt();
        QVERIFY(appended > 0 && appended < 3000);
        QCOMPARE(ReadRows(InFolder("long.dbf")).size(), appended);
        QVERIFY(window_->findChild<QProgressDialog*>("TextFileProgress") == nullptr);
    }

    void exportOfADatabase() {
        WriteRows(InFolder("people.dbf"), kTwoRows + QList<Row>{{{"5\" pipe, Inc"}, "", "", ""}});
        prompts_->fileAnswers = {InFolder("people.dbf"), InFolder("people.txt")};
        Trigger("MIExport");
        QCOMPARE(prompts_->Kinds(), (QStringList{"OpenFile", "SaveFile", "Information"}));
        QCOMPARE(prompts_->calls.last().text, QStringLiteral("Export Done."));
        QCOMPARE(prompts_->fileCalls[0].title, kOpenTitle);
        QCOMPARE(prompts_->fileCalls[0].filter, QStringLiteral("dbf Files(*.dbf);;All Files (*)"));
        QCOMPARE(prompts_->fileCalls[1].folder, InFolder("people.txt"));
        QCOMPARE(ReadBytes(InFolder("people.txt")),
                 QByteArray("\"Ann Lee\",\"12 Elm St\",\"\",\"\",\"Dayton\",\"OH\",\"45402\"\r\n"
                            "\"Bo Chen\",\"\",\"\",\"\",\"Troy\",\"NY\",\"12180\"\r\n"
                            "\"5\"\" pipe, Inc\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"));
    }

    void exportOfAMissingDatabaseCreatesNothing() {
        prompts_->fileAnswers = {InFolder("nothere.dbf"), InFolder("nothere.txt")};
        Trigger("MIExport");
        QCOMPARE(prompts_->Kinds(), (QStringList{"OpenFile", "Error"}));
        QCOMPARE(prompts_->calls.last().text, QStringLiteral("Error on export: The database \"") +
                                                  InFolder("nothere.dbf") +
                                                  QStringLiteral("\" does not exist."));
        QCOMPARE(QDir(Folder()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void windowsFiltersInQtsForm_data() {
        QTest::addColumn<QString>("windows");
        QTest::addColumn<QString>("qt");
        QTest::newRow("patterns in the description")
            << "Import Files(*.txt;*.csv)|*.txt;*.csv|All Files|*.*"
            << "Import Files(*.txt *.csv);;All Files (*)";
        QTest::newRow("one filter") << "DBF Files (*.dbf)|*.dbf"
                                    << "DBF Files (*.dbf)";
        QTest::newRow("description without patterns") << "Text|*.txt"
                                                      << "Text (*.txt)";
    }
    void windowsFiltersInQtsForm() {
        QFETCH(QString, windows);
        QFETCH(QString, qt);
        QCOMPARE(QtFileFilter(windows), qt);
    }
};

QTEST_MAIN(TextFilesTest)
#include "test_text_files.moc"
