#pragma once

#include "AppSettings.h"

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace vell3 {

class LinkLabel;
class Prompts;

// "Version " and the first three components of a four-part version a.b.c.d;
// "Version 3.0" when the program carries no version.
QString VersionLabelText(const QString& fileVersion);

// The version this build carries.
QString BuildVersion();

// The product window: the splash at start (mode 1) and the About box (mode 0).
class TF_About : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSplashMilliseconds = 3000;

    TF_About(const AppSettings& settings, Prompts& prompts, int splashMode,
             QWidget* parent = nullptr);

    int SplashMode() const { return splashMode_; }
    // True from the splash's show until its timer's first tick.
    bool TimerRunning() const;

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowAsSplash();
    void ShowAsAbout();
    void Grow(int pixels);

    const AppSettings& settings_;
    Prompts& prompts_;
    int splashMode_;
    bool prepared_ = false;

    QFrame* panel1_ = nullptr;
    QFrame* panelMain_ = nullptr;
    QFrame* panelInfo_ = nullptr;
    QLabel* image1_ = nullptr;
    QLabel* imageCompany_ = nullptr;
    QLabel* labelStreet_ = nullptr;
    QLabel* labelCity_ = nullptr;
    LinkLabel* labelWebSite_ = nullptr;
    LinkLabel* labelEMail_ = nullptr;
    QLabel* labelVersion_ = nullptr;
    QLabel* labelRights_ = nullptr;
    QPushButton* btnOK_ = nullptr;
    QTimer* timer1_ = nullptr;
};

} // namespace vell3
