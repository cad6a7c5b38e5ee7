#pragma once

#include "AppSettings.h"

#include <QDialog>
#include <QString>

class QFrame;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace vell3 {

class Prompts;

// "Print Bar Code's": the customer ID, the starting identifier serial and the
// number of blank mailers to pre-print. OK writes BarCodeLabelCount, SerialNum
// and CustID, or nothing at all while the number of labels is no number;
// Cancel (or Escape) writes nothing.
class TF_PrintBarCode : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinimumLabels = 1;
    static constexpr int kMaximumLabels = 1000;
    static constexpr int kHelpHeight = 383;

    TF_PrintBarCode(AppSettings& settings, Prompts& prompts, QWidget* parent = nullptr);

    void accept() override;

    // The number of labels as its field held it at OK, for the run to read
    // (closing the dialog settles the field afterwards).
    const QString& CountText() const { return countText_; }

private:
    void ShowHelp();

    AppSettings& settings_;
    Prompts& prompts_;
    QString countText_;
    QLineEdit* editCustID_ = nullptr;
    QLineEdit* editSerialNum_ = nullptr;
    QSpinBox* editNumLabels_ = nullptr;
    QPushButton* btnHelp_ = nullptr;
    QFrame* panelBarCode_ = nullptr;
};

} // namespace vell3
