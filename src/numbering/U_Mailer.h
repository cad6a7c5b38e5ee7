#pragma once

#include "AppSettings.h"

#include <QDialog>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vell3 {

class Prompts;

// The Mailer Number dialog. Barcode mode edits the customer ID and the
// identifier serial, pre-printed mode the 20-digit mailer number and the count
// direction. Writes into the settings only on OK.
class TF_Mailer : public QDialog {
    Q_OBJECT
public:
    // `showDontShow`: opened by a print, so "Do not show this screen again" shows.
    TF_Mailer(AppSettings& settings, Prompts& prompts, bool showDontShow,
              QWidget* parent = nullptr);

    void accept() override;

private:
    void ShowHelp();
    QFrame* MakeHelpPanel(const QString& name);
    QFrame* MakeBarCodePanel();
    QFrame* MakeMailerNumPanel();

    AppSettings& settings_;
    Prompts& prompts_;
    bool barcodeMode_;
    bool showDontShow_;
    int baseHeight_ = 0;

    QGroupBox* gbPrintBarcode_ = nullptr;
    QLineEdit* editCustID_ = nullptr;
    QLineEdit* editSerialNum_ = nullptr;
    QGroupBox* gbNoBarCode_ = nullptr;
    QLineEdit* editMailerNum_ = nullptr;
    QGroupBox* rgCountType_ = nullptr;
    QRadioButton* rbIncrement_ = nullptr;
    QRadioButton* rbDecrement_ = nullptr;
    QCheckBox* cbDontShow_ = nullptr;
    QPushButton* btnOK_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
    QPushButton* btnHelp_ = nullptr;
    QFrame* panelBarCode_ = nullptr;
    QFrame* panelMailerNum_ = nullptr;
};

} // namespace vell3
