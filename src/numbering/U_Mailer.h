#pragma once

#include "AppSettings.h"

#include <QDialog>

#include <initializer_list>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vell3 {

class Prompts;

// Every position must be filled with a digit; the dashes belong to the text.
inline constexpr const char* kCustIdMask = "99-999-9999;_";
inline constexpr const char* kSerialMask = "99999999;_";
inline constexpr const char* kMailerNumMask = "99999999999999999999;_";
inline constexpr int kCustIdLength = 11;
inline constexpr int kSerialLength = 8;

inline constexpr const char* kCustIdHint = "Click on \"Help\" for information on the Customer ID";
inline constexpr const char* kSerialHint =
    "Click on \"Help\" for information on the Identifier Serial Number";

// A masked field with every position required.
QLineEdit* MakeMaskedEdit(QWidget* parent, const QString& name, const char* mask, int maxLength);

// True when every field given has all its positions filled; else shows the
// masked field's message, puts the focus into the first incomplete field and
// returns false.
bool MaskedFieldsComplete(Prompts& prompts, QWidget* parent,
                          std::initializer_list<QLineEdit*> edits);

// The hidden help panel `panelBarCode` on the customer ID and the identifier
// serial. With `linkPrompts` the web address opens through them when clicked;
// without, it only looks like a link.
QFrame* MakeBarCodeHelpPanel(QWidget* dialog, Prompts* linkPrompts);

void CentreOnScreen(QWidget* window);

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
