#include "U_PrintBarCode.h"

#include "IntegerText.h"
#include "U_Mailer.h"
#include "Widgets.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QValidator>

namespace vell3 {

namespace {

constexpr int kWidth = 385;
constexpr int kTypedCharacters = 1;

// The number of labels: one typed character at most, while a value the spin
// buttons reach (up to 1000) shows whole. Leaving the field (or Enter) brings
// a number outside the range, or no number, to the nearest bound.
class LabelCountSpin : public QSpinBox {
public:
    explicit LabelCountSpin(QWidget* parent) : QSpinBox(parent) {
        setRange(TF_PrintBarCode::kMinimumLabels, TF_PrintBarCode::kMaximumLabels);
        setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    }

    QString TypedText() const { return lineEdit()->text(); }

protected:
    QValidator::State validate(QString& input, int& pos) const override {
        if (input.size() > kTypedCharacters && input != textFromValue(value())) {
            return QValidator::Invalid;
        }
        return QSpinBox::validate(input, pos);
    }
};

QLabel* HintedLabel(QWidget* parent, const char* name, const QString& text, const char* hint) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setToolTip(QString::fromLatin1(hint));
    return label;
}

} // namespace

TF_PrintBarCode::TF_PrintBarCode(AppSettings& settings, Prompts& prompts, QWidget* parent)
    : QDialog(parent), settings_(settings), prompts_(prompts) {
    setObjectName(QStringLiteral("TF_PrintBarCode"));
    setWindowTitle(QStringLiteral("Print Bar Code's"));
    setModal(true);

    auto* explanation = new QLabel(
        QStringLiteral("Please enter the starting Identifier Serial Number, and how many labels "
                       "you will be printing Bar Code's on."),
        this);
    explanation->setObjectName(QStringLiteral("lblExplanation"));
    explanation->setWordWrap(true);

    editCustID_ = MakeMaskedEdit(this, QStringLiteral("editCustID"), kCustIdMask, kCustIdLength);
    editCustID_->setToolTip(QString::fromLatin1(kSerialHint));
    editCustID_->setText(QString::fromStdString(settings_.CustID));
    editSerialNum_ =
        MakeMaskedEdit(this, QStringLiteral("editSerialNum"), kSerialMask, kSerialLength);
    editSerialNum_->setToolTip(QString::fromLatin1(kSerialHint));
    editSerialNum_->setText(QString::fromStdString(settings_.SerialNum));
    auto* spin = new LabelCountSpin(this);
    spin->setObjectName(QStringLiteral("editNumLabels"));
    spin->setValue(kMinimumLabels);
    editNumLabels_ = spin;

    auto* fields = new QGridLayout;
    fields->addWidget(
        HintedLabel(this, "lblCustID", QStringLiteral("Customer ID (DUNS #)"), kCustIdHint), 0, 0);
    fields->addWidget(editCustID_, 0, 1);
    fields->addWidget(HintedLabel(this, "lblSerialNum",
                                  QStringLiteral("Enter Identifier Serial Number"), kSerialHint),
                      1, 0);
    fields->addWidget(editSerialNum_, 1, 1);
    fields->addWidget(
        HintedLabel(this, "lblNumLabels", QStringLiteral("Number of Labels"), kCustIdHint), 2, 0);
    fields->addWidget(editNumLabels_, 2, 1);

    auto* buttons = MakeOkCancelRow(this, ButtonRow::Centred);
    btnHelp_ = new QPushButton(QStringLiteral("Help"), this);
    btnHelp_->setObjectName(QStringLiteral("btnHelp"));
    btnHelp_->setAutoDefault(false);
    buttons->insertWidget(buttons->count() - 1, btnHelp_);
    connect(btnHelp_, &QPushButton::clicked, this, &TF_PrintBarCode::ShowHelp);

    panelBarCode_ = MakeBarCodeHelpPanel(this, nullptr);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->addWidget(panelBarCode_, 1);
    setFixedWidth(kWidth);
    adjustSize();
    setFixedHeight(sizeHint().height());
    CentreOnScreen(this);
    editSerialNum_->setFocus();
}

void TF_PrintBarCode::ShowHelp() {
    panelBarCode_->show();
    setFixedHeight(kHelpHeight);
    btnHelp_->setEnabled(false);
    CentreOnScreen(this);
}

void TF_PrintBarCode::accept() {
    if (!MaskedFieldsComplete(prompts_, this, {editCustID_, editSerialNum_})) {
        return;
    }
    // A lone sign or separator can still stand in the field when OK comes
    // before the field was left: then nothing of the dialog is taken over,
    // and the run refuses the text.
    countText_ = static_cast<const LabelCountSpin*>(editNumLabels_)->TypedText();
    if (const auto count = ParseInteger(countText_.toStdString())) {
        settings_.BarCodeLabelCount = *count;
        settings_.SerialNum = editSerialNum_->text().toStdString();
        settings_.CustID = editCustID_->text().toStdString();
    }
    QDialog::accept();
}

} // namespace vell3
