#pragma once

#include "AppSettings.h"

#include <QDialog>

class QSpinBox;

namespace vell3 {

// The value of an alignment spin field: the number in its text, clamped to
// -999..999; a text that is not a number (empty, a lone sign) counts as -999.
int AlignSpinValue(const QString& text);

// "Printer Alignment": shifts the whole printout in steps of 1/100 inch.
// Writes AlignLeftRight and AlignTopBottom only on OK.
class TF_Align : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinimum = -999;
    static constexpr int kMaximum = 999;

    explicit TF_Align(AppSettings& settings, QWidget* parent = nullptr);

    void accept() override;

private:
    AppSettings& settings_;
    QSpinBox* spinLeftRight_ = nullptr;
    QSpinBox* spinUpDown_ = nullptr;
};

} // namespace vell3
