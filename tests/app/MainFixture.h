#pragma once

#include "AppTestSupport.h"

namespace vell3::test {

// One main window over a sandbox, shown and past its first-show prompts.
struct MainFixture {
    Sandbox sandbox;
    ScriptedPrompts prompts;
    AppSettings settings;
    std::unique_ptr<TF_Main> window;

    // Creates the window over the settings file given (none for a null array).
    void Create(const QByteArray& settingsFile = kQuietSettings) {
        if (!settingsFile.isNull()) {
            sandbox.WriteSettings(settingsFile);
        }
        window = std::make_unique<TF_Main>(settings, prompts, sandbox.Setup());
    }

    // Shows the window and waits until its first-show prompts have run.
    bool Show() {
        QSignalSpy finished(window.get(), &TF_Main::firstShowFinished);
        window->show();
        window->activateWindow();
        if (finished.isEmpty() && !finished.wait(10000)) {
            return false;
        }
        // The closed dialogs leave the activation to the window system.
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }

    bool Start(const QByteArray& settingsFile = kQuietSettings) {
        Create(settingsFile);
        return Show();
    }

    template <typename T> T* Get(const char* name) { return Child<T>(window.get(), name); }

    QLineEdit* Edit(const char* name) { return Get<QLineEdit>(name); }

    // Types into a field as the user would (replacing its text), then leaves it
    // for the comment field.
    void TypeAndLeave(const char* name, const QString& text) {
        QLineEdit* edit = Edit(name);
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        Edit("editComment")->setFocus(Qt::TabFocusReason);
    }
};

} // namespace vell3::test
