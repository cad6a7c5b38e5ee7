#include "U_ExtraLabel.h"

#include "Widgets.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vell3 {

TF_ExtraLabel::TF_ExtraLabel(AppSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setObjectName(QStringLiteral("TF_ExtraLabel"));
    setWindowTitle(QStringLiteral("Extra Label"));
    setModal(true);

    auto* explanation = new QLabel(
        QStringLiteral("Use this window to print an Address on the \"Extra Label\" located on the "
                       "upper right corner of the form.  This label is intended for the postage "
                       "label.  If you are printing the Postage on this label, you don't want to "
                       "print an address here."),
        this);
    explanation->setObjectName(QStringLiteral("lblExplanation"));
    explanation->setWordWrap(true);
    explanation->setAlignment(Qt::AlignCenter);

    auto* rgExtraLabel = new QGroupBox(QStringLiteral("Print Address on Extra Label?"), this);
    rgExtraLabel->setObjectName(QStringLiteral("rgExtraLabel"));
    rbYes_ = new QRadioButton(QStringLiteral("Yes"), rgExtraLabel);
    rbYes_->setObjectName(QStringLiteral("rbYes"));
    rbNo_ = new QRadioButton(QStringLiteral("No"), rgExtraLabel);
    rbNo_->setObjectName(QStringLiteral("rbNo"));
    auto* columns = new QHBoxLayout(rgExtraLabel);
    columns->addWidget(rbYes_);
    columns->addWidget(rbNo_);

    auto* lblAddress = new QLabel(QStringLiteral("Address for Extra Label:"), this);
    cbExtraLabel_ = new QComboBox(this);
    cbExtraLabel_->setObjectName(QStringLiteral("cbExtraLabel"));
    cbExtraLabel_->setEditable(true);
    cbExtraLabel_->setInsertPolicy(QComboBox::NoInsert);
    cbExtraLabel_->addItems(
        {QString::fromLatin1(kExtraLabelAddressedTo), QString::fromLatin1(kExtraLabelYourAddress)});
    cbExtraLabel_->setMaxVisibleItems(2);
    cbExtraLabel_->setEditText(QString::fromStdString(settings_.ExtraLabel));

    connect(rbNo_, &QRadioButton::toggled, cbExtraLabel_,
            [this](bool no) { cbExtraLabel_->setEnabled(!no); });
    // A stored value that is neither item selects the default, "Yes".
    (settings_.PrintExtraLabel == "No" ? rbNo_ : rbYes_)->setChecked(true);
    cbExtraLabel_->setEnabled(!rbNo_->isChecked());

    auto* buttons = MakeOkCancelRow(this, ButtonRow::Centred);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addWidget(rgExtraLabel);
    layout->addWidget(lblAddress);
    layout->addWidget(cbExtraLabel_);
    layout->addLayout(buttons);
    setFixedSize(360, 240);
}

void TF_ExtraLabel::accept() {
    settings_.PrintExtraLabel = rbNo_->isChecked() ? "No" : "Yes";
    const std::string text = cbExtraLabel_->currentText().toStdString();
    settings_.ExtraLabel =
        text == kExtraLabelYourAddress ? kExtraLabelYourAddress : kExtraLabelAddressedTo;
    QDialog::accept();
}

} // namespace vell3
