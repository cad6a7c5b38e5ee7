#include "U_YourAddress.h"

#include "EntryFields.h"
#include "Widgets.h"
#include "Zip.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vell3 {

TF_YourAddress::TF_YourAddress(AppSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setObjectName(QStringLiteral("TF_YourAddress"));
    setWindowTitle(QStringLiteral("Your Name and Address"));
    setModal(true);

    auto* group = new QGroupBox(QStringLiteral("Enter your Name and Address"), this);
    group->setObjectName(QStringLiteral("GroupBox4"));

    memoYourAddress_ = MakeAddressMemo(group, QStringLiteral("memoYourAddress"), QSize(264, 60));
    editYourCity_ = MakeLineEdit(group, QStringLiteral("editYourCity"), kCityMaxLength);
    editYourState_ = MakeLineEdit(group, QStringLiteral("editYourState"), kStateMaxLength);
    editYourZip_ = MakeZipEdit(group, QStringLiteral("editYourZip"));

    auto* cityRow = new QHBoxLayout;
    cityRow->addWidget(editYourCity_, 3);
    cityRow->addWidget(editYourState_, 1);
    cityRow->addWidget(editYourZip_, 2);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(memoYourAddress_);
    groupLayout->addLayout(cityRow);

    auto* buttons = MakeOkCancelRow(this, ButtonRow::Right);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    resize(303, 181);

    // Opening: the saved lines without the empty ones, so later lines move up.
    QStringList lines;
    for (const std::string* line :
         {&settings_.YourLine1, &settings_.YourLine2, &settings_.YourLine3, &settings_.YourLine4}) {
        if (!line->empty()) {
            lines.append(QString::fromStdString(*line));
        }
    }
    memoYourAddress_->setPlainText(lines.join(QLatin1Char('\n')));
    editYourCity_->setText(QString::fromStdString(settings_.YourCity));
    editYourState_->setText(QString::fromStdString(settings_.YourState));
    editYourZip_->setText(QString::fromStdString(settings_.YourZip));
    memoYourAddress_->setFocus();
}

void TF_YourAddress::accept() {
    const QStringList lines = DisplayedLineTexts(memoYourAddress_);
    std::string* targets[] = {&settings_.YourLine1, &settings_.YourLine2, &settings_.YourLine3,
                              &settings_.YourLine4};
    for (int i = 0; i < kMaxAddressLines; ++i) {
        *targets[i] = i < lines.size() ? lines[i].toStdString() : std::string();
    }
    settings_.YourCity = editYourCity_->text().toStdString();
    settings_.YourState = editYourState_->text().toStdString();
    settings_.YourZip = NormalizeZip(MaskedText(editYourZip_).toStdString());
    QDialog::accept();
}

} // namespace vell3
