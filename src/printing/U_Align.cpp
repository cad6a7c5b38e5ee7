#include "U_Align.h"

#include "Widgets.h"

#include "IntegerText.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>

namespace vell3 {

namespace {

constexpr int kMaxTypedCharacters = 3;

// A spin field that takes at most three typed characters, while the value the
// spin buttons or the settings put there (such as -999) stays whole.
class AlignSpinBox : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

    QString TypedText() const { return lineEdit()->text(); }

    void SettleText() {
        if (!ParseInteger(TypedText().toStdString())) {
            setValue(minimum());
        }
    }

protected:
    // Enter and leaving the field would otherwise put back the value before an
    // unfinished text; here no number (empty, a lone sign) is the lowest value,
    // as OK reads it.
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            SettleText();
        }
        QSpinBox::keyPressEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override {
        SettleText();
        QSpinBox::focusOutEvent(event);
    }

    QValidator::State validate(QString& input, int& pos) const override {
        if (input.size() > kMaxTypedCharacters && input != textFromValue(value())) {
            return QValidator::Invalid;
        }
        return QSpinBox::validate(input, pos);
    }
};

QSpinBox* AlignSpin(QWidget* parent, const QString& name, int value) {
    auto* spin = new AlignSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(TF_Align::kMinimum, TF_Align::kMaximum);
    spin->setValue(value);
    return spin;
}

QLabel* BoldLabel(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QString SpinText(const QSpinBox* spin) {
    return static_cast<const AlignSpinBox*>(spin)->TypedText();
}

} // namespace

int AlignSpinValue(const QString& text) {
    const auto value = ParseInteger(text.toStdString());
    if (!value) {
        return TF_Align::kMinimum;
    }
    return std::clamp(*value, TF_Align::kMinimum, TF_Align::kMaximum);
}

TF_Align::TF_Align(AppSettings& settings, QWidget* parent) : QDialog(parent), settings_(settings) {
    setObjectName(QStringLiteral("TF_Align"));
    setWindowTitle(QStringLiteral("Printer Alignment"));
    setModal(true);

    auto* explanation = new QLabel(
        QStringLiteral("The numbers below will move the text on the form either 1/100\" to the "
                       "right if a negative number or to the left if a positive number.  It also "
                       "can move the text  1/100\" up if a positive number and down if a "
                       "negative number."),
        this);
    explanation->setObjectName(QStringLiteral("lblExplanation"));
    explanation->setWordWrap(true);
    explanation->setAlignment(Qt::AlignCenter);

    spinLeftRight_ = AlignSpin(this, QStringLiteral("spinLeftRight"), settings_.AlignLeftRight);
    spinUpDown_ = AlignSpin(this, QStringLiteral("SpinUpDown"), settings_.AlignTopBottom);

    auto* spins = new QGridLayout;
    spins->addWidget(BoldLabel(this, QStringLiteral("Left & Right")), 0, 0, Qt::AlignCenter);
    spins->addWidget(BoldLabel(this, QStringLiteral("Up and Down")), 0, 1, Qt::AlignCenter);
    spins->addWidget(spinLeftRight_, 1, 0);
    spins->addWidget(spinUpDown_, 1, 1);

    auto* buttons = MakeOkCancelRow(this, ButtonRow::Centred);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(spins);
    layout->addLayout(buttons);
    setFixedSize(340, 170);
}

void TF_Align::accept() {
    settings_.AlignLeftRight = AlignSpinValue(SpinText(spinLeftRight_));
    settings_.AlignTopBottom = AlignSpinValue(SpinText(spinUpDown_));
    QDialog::accept();
}

} // namespace vell3
