#pragma once

#include "AppSettings.h"

#include <QDialog>

class QComboBox;
class QRadioButton;

namespace vell3 {

// "Extra Label": whether an address goes on the form's extra label and which
// one. Writes PrintExtraLabel and ExtraLabel only on OK.
class TF_ExtraLabel : public QDialog {
    Q_OBJECT
public:
    explicit TF_ExtraLabel(AppSettings& settings, QWidget* parent = nullptr);

    void accept() override;

private:
    AppSettings& settings_;
    QRadioButton* rbYes_ = nullptr;
    QRadioButton* rbNo_ = nullptr;
    QComboBox* cbExtraLabel_ = nullptr;
};

// The two addresses the extra label can carry; any other text means the first.
inline constexpr const char* kExtraLabelAddressedTo = "Addressed To";
inline constexpr const char* kExtraLabelYourAddress = "Your Name and Address";

} // namespace vell3
