#pragma once

#include "AppSettings.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace vell3 {

// The sender dialog: four name and street lines, city, state and ZIP. Writes
// the sender fields of the settings only on OK.
class TF_YourAddress : public QDialog {
    Q_OBJECT
public:
    explicit TF_YourAddress(AppSettings& settings, QWidget* parent = nullptr);

    void accept() override;

private:
    AppSettings& settings_;
    QPlainTextEdit* memoYourAddress_ = nullptr;
    QLineEdit* editYourCity_ = nullptr;
    QLineEdit* editYourState_ = nullptr;
    QLineEdit* editYourZip_ = nullptr;
};

} // namespace vell3
