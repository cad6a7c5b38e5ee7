#pragma once

#include "MainFixture.h"

#include "QPainterPage.h"

#include "AddressDatabaseMode.h"
#include "DSAddress.h"
#include "EngineErrorHalt.h"
#include "EngineWarnings.h"
#include "TTzDbf.h"
#include "TzNavigator.h"

#include <QAction>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QToolButton>

#include <fcntl.h>
#include <unistd.h>

namespace vell3::test {

// The main window with the engine's warnings in information boxes, and the
// steps of the address database commands.
struct DatabaseFixture : MainFixture {
    std::unique_ptr<EngineWarningsShowInformation> warnings;

    bool StartDatabase() {
        Create();
        warnings = std::make_unique<EngineWarningsShowInformation>(prompts, window.get());
        return Show();
    }

    QString Path(const QString& name) const { return sandbox.dir.path() + "/" + name; }

    AddressDatabaseMode& Mode() { return *DatabaseModeOf(*window); }
    tables::TTzDbf& Table() { return Mode().Table(); }

    // File > Read/Write to a database, answering the open dialog with `file`.
    void OpenDatabase(const QString& file) {
        prompts.fileAnswers.push_back(file);
        window->findChild<QAction*>("MIReadWriteToDB")->trigger();
    }

    // The window's prints go into this PDF file, each replacing the last.
    void PrintInto(const QString& pdf) {
        window->SetPageSource([pdf]() -> std::unique_ptr<PrintPage> {
            return std::make_unique<PdfFilePage>(pdf, 150);
        });
    }

    void Press(TzNavigator::Button button) { Mode().Navigator().Press(button); }

    bool InDatabaseMode() { return !Get<QPushButton>("btnExit")->isHidden(); }

    QString Order() { return Get<QLabel>("labelOrder")->text(); }

    // Types into a data-aware line field, replacing its text, without leaving it.
    void TypeInto(const char* name, const QString& text) {
        QLineEdit* edit = Edit(name);
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    // Types lines into the data-aware memo, replacing its text.
    void TypeMemo(const QStringList& lines) {
        auto* memo = Get<QPlainTextEdit>("tzmemoAddress");
        memo->setFocus(Qt::TabFocusReason);
        memo->selectAll();
        QTest::keyClick(memo, Qt::Key_Delete);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) {
                QTest::keyClick(memo, Qt::Key_Return);
            }
            QTest::keyClicks(memo, lines[i]);
        }
    }
};

// The table as python-dbfread reads it.
inline QJsonObject ReadWithDbfread(const QString& path) {
    QProcess tool;
    tool.start("/usr/bin/python3", {QStringLiteral(VELL3_TEST_ADDRESS_DBF), "dump", path});
    tool.waitForFinished(30000);
    const QByteArray out = tool.readAllStandardOutput();
    if (tool.exitCode() != 0) {
        qWarning("dbfread: %s", tool.readAllStandardError().constData());
    }
    return QJsonDocument::fromJson(out).object();
}

inline QJsonArray Records(const QString& path) {
    return ReadWithDbfread(path).value("records").toArray();
}

// A table made by python-dbf: "db3" (.dbt memo) or "fp" (.fpt memo), two records.
inline bool MakeWithDbf(const QString& path, const QString& kind, const QString& missing = {},
                        const QString& wrong = {}) {
    QProcess tool;
    tool.start("/usr/bin/python3",
               {QStringLiteral(VELL3_TEST_ADDRESS_DBF), "make", path, kind, missing, wrong});
    tool.waitForFinished(30000);
    return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

// Holds the engine's record lock of one record as another program would.
class ForeignRecordLock {
public:
    ForeignRecordLock(const QString& path, int headerLength, int recordLength, int recNo) {
        fd_ = ::open(path.toLocal8Bit().constData(), O_RDWR);
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        lock.l_start = 0x40000000L + headerLength + static_cast<off_t>(recNo - 1) * recordLength;
        lock.l_len = recordLength;
        held_ = fd_ >= 0 && ::fcntl(fd_, F_OFD_SETLK, &lock) == 0;
    }
    ~ForeignRecordLock() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    ForeignRecordLock(const ForeignRecordLock&) = delete;
    ForeignRecordLock& operator=(const ForeignRecordLock&) = delete;
    bool Held() const { return held_; }

private:
    int fd_ = -1;
    bool held_ = false;
};

} // namespace vell3::test
