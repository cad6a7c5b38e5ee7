#pragma once

#include "AppSettings.h"
#include "Prompts.h"
#include "U_Main.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QList>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace vell3::test {

// Records every prompt and answers from a script.
class ScriptedPrompts : public Prompts {
public:
    struct Call {
        QString kind;
        QString title;
        QString text;
        QStringList captions;
    };

    std::deque<int> threeWayAnswers;
    std::deque<bool> confirmAnswers;
    std::deque<Answer> confirmThreeAnswers;
    std::deque<QString> fileAnswers;
    bool acceptPrinterSetup = true;
    bool acceptOutputOptions = true;
    QList<Call> calls;
    QList<QUrl> openedUrls;

    void Information(QWidget*, const QString& text) override {
        calls.append({QStringLiteral("Information"), QStringLiteral("Information"), text, {}});
    }
    void Error(QWidget*, const QString& text) override {
        calls.append({QStringLiteral("Error"), QStringLiteral("Error"), text, {}});
    }
    bool ConfirmYesNo(QWidget*, const QString& text) override {
        calls.append({QStringLiteral("Confirm"), QStringLiteral("Confirm"), text, {}});
        return Pop(confirmAnswers, false);
    }
    bool ConfirmOkCancel(QWidget*, const QString& text) override {
        calls.append({QStringLiteral("ConfirmOkCancel"), QStringLiteral("Confirm"), text, {}});
        return Pop(confirmAnswers, false);
    }
    Answer ConfirmYesNoCancel(QWidget*, const QString& text) override {
        calls.append({QStringLiteral("Confirm"), QStringLiteral("Confirm"), text, {}});
        return Pop(confirmThreeAnswers, Answer::Cancel);
    }
    QString OpenFileName(QWidget*, const QString& title, const QString&, const QString&) override {
        calls.append({QStringLiteral("OpenFile"), title, {}, {}});
        return Pop(fileAnswers, QString());
    }
    QString OpenOrNewFileName(QWidget*, const QString& title, const QString& folder, const QString&,
                              const QString&) override {
        calls.append({QStringLiteral("OpenFile"), title, folder, {}});
        return Pop(fileAnswers, QString());
    }
    // The save dialog's call keeps the folder or file name it proposed as its text.
    QString SaveFileName(QWidget*, const QString& title, const QString& proposed,
                         const QString&) override {
        calls.append({QStringLiteral("SaveFile"), title, proposed, {}});
        return Pop(fileAnswers, QString());
    }
    void Halted(QWidget*, const QString& text) override {
        calls.append({QStringLiteral("Halted"), QStringLiteral("Program halted."), text, {}});
    }
    int AskThreeWay(QWidget*, const QString& title, const QString& message,
                    const QStringList& captions) override {
        calls.append({QStringLiteral("AskThreeWay"), title, message, captions});
        return Pop(threeWayAnswers, 2);
    }
    bool PrinterSetup(QWidget*, QPrinter&) override {
        calls.append({QStringLiteral("PrinterSetup"), {}, {}, {}});
        return acceptPrinterSetup;
    }
    bool OutputOptions(QWidget*, QPrinter&, int pageCount) override {
        calls.append({QStringLiteral("OutputOptions"),
                      QStringLiteral("Output Options"),
                      QString::number(pageCount),
                      {}});
        return acceptOutputOptions;
    }
    void OpenUrl(const QUrl& url) override { openedUrls.append(url); }

    QStringList Kinds() const {
        QStringList kinds;
        for (const Call& call : calls) {
            kinds.append(call.kind);
        }
        return kinds;
    }

private:
    template <typename T> static T Pop(std::deque<T>& queue, T fallback) {
        if (queue.empty()) {
            return fallback;
        }
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

// Answers modal dialogs as they open, in order: each step waits for the
// dialog of its object name to become the active modal widget.
class ModalDriver {
public:
    using Step = std::function<void(QDialog*)>;

    ModalDriver() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }

    void Expect(const QString& objectName, Step step) {
        steps_.emplace_back(objectName, std::move(step));
    }

    bool Done() const { return steps_.empty(); }
    QStringList Seen() const { return seen_; }

private:
    void Poll() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || dialog == handled_ || !dialog->isVisible()) {
            return;
        }
        handled_ = dialog;
        seen_.append(dialog->objectName());
        if (steps_.empty() || steps_.front().first != dialog->objectName()) {
            // An unexpected dialog: close it so that the test fails instead of hanging.
            dialog->reject();
            return;
        }
        Step step = std::move(steps_.front().second);
        steps_.pop_front();
        const QPointer<QDialog> guard(dialog);
        step(dialog);
        // A failed check returns early: never leave the dialog open.
        if (guard && guard->isVisible()) {
            guard->reject();
        }
    }

    QTimer timer_;
    std::deque<std::pair<QString, Step>> steps_;
    QStringList seen_;
    QDialog* handled_ = nullptr;
};

template <typename T> T* Child(QObject* parent, const char* name) {
    T* child = parent->findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr) {
        qFatal("no child %s", name);
    }
    return child;
}

inline void Click(QObject* parent, const char* name) {
    QTest::mouseClick(Child<QPushButton>(parent, name), Qt::LeftButton);
}

// A program folder and a settings file of the test's own.
struct Sandbox {
    QTemporaryDir dir;
    QString programFolder() const { return dir.path() + QStringLiteral("/program/"); }
    QString settingsFile() const { return dir.path() + QStringLiteral("/config/vell3.ini"); }

    Sandbox() {
        QDir().mkpath(programFolder());
        QDir().mkpath(dir.path() + QStringLiteral("/config"));
    }

    void WriteSettings(const QByteArray& content) const {
        QFile file(settingsFile());
        if (!file.open(QIODevice::WriteOnly)) {
            qFatal("cannot write settings");
        }
        file.write(content);
    }

    QByteArray ReadSettings() const {
        QFile file(settingsFile());
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        return file.readAll();
    }

    MainSetup Setup() const {
        return MainSetup{programFolder().toStdString(), settingsFile().toStdString(), nullptr};
    }
};

// Settings under which the first show asks nothing.
inline const QByteArray kQuietSettings = "[Type]\nCompany=Ambervale\nBarCodeApp=0\n"
                                         "[YourAddress]\nLine1=Acme Legal LLP\n"
                                         "Line2=400 Oak Avenue\nCity=Dayton\nState=OH\n"
                                         "Zip=45402\n[Values]\nCustID=12-345-6789\n";

} // namespace vell3::test
