#include "U_Mailer.h"

#include "Branding.h"
#include "Prompts.h"
#include "Widgets.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

namespace vell3 {

namespace {

constexpr int kWidth = 330;
constexpr int kHelpWidth = 385;
// The pre-printed group holds the number and the count-type radio group.
constexpr int kBarcodeGroupHeight = 96;
constexpr int kPreprintedGroupHeight = 150;
constexpr int kGroupTop = 8;
constexpr int kButtonsGap = 8;
constexpr int kButtonsHeight = 34;
constexpr int kDontShowGrowth = 32;
constexpr int kBarCodePanelHeight = 152;
constexpr int kMailerNumPanelHeight = 200;

// The message of a masked field left incomplete.
constexpr const char* kInvalidInput = "Invalid input value.  Use escape key to abandon changes";

QLabel* HelpText(QWidget* parent, const QString& html) {
    auto* label = new QLabel(html, parent);
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QFont HelpFont(const QFont& base) {
    QFont font = base;
    font.setPixelSize(10);
    return font;
}

} // namespace

void CentreOnScreen(QWidget* window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
    }
}

QLineEdit* MakeMaskedEdit(QWidget* parent, const QString& name, const char* mask, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setInputMask(QString::fromLatin1(mask));
    edit->setMaxLength(maxLength);
    return edit;
}

bool MaskedFieldsComplete(Prompts& prompts, QWidget* parent,
                          std::initializer_list<QLineEdit*> edits) {
    for (QLineEdit* edit : edits) {
        if (edit != nullptr && !edit->hasAcceptableInput()) {
            prompts.Error(parent, QString::fromLatin1(kInvalidInput));
            edit->setFocus();
            return false;
        }
    }
    return true;
}

TF_Mailer::TF_Mailer(AppSettings& settings, Prompts& prompts, bool showDontShow, QWidget* parent)
    : QDialog(parent), settings_(settings), prompts_(prompts), barcodeMode_(settings.PrintBarCode),
      showDontShow_(showDontShow) {
    setObjectName(QStringLiteral("TF_Mailer"));
    setWindowTitle(QStringLiteral("Mailer Number"));
    setModal(true);

    if (barcodeMode_) {
        gbPrintBarcode_ = new QGroupBox(this);
        gbPrintBarcode_->setObjectName(QStringLiteral("gbPrintBarcode"));
        gbPrintBarcode_->setGeometry(8, kGroupTop, kWidth - 16, kBarcodeGroupHeight);
        auto* lblCustID = new QLabel(QStringLiteral("Customer ID (DUNS #)"), gbPrintBarcode_);
        lblCustID->setObjectName(QStringLiteral("lblCustID"));
        lblCustID->setToolTip(QString::fromLatin1(kCustIdHint));
        editCustID_ =
            MakeMaskedEdit(gbPrintBarcode_, QStringLiteral("editCustID"), kCustIdMask, 11);
        editCustID_->setToolTip(QString::fromLatin1(kSerialHint));
        editCustID_->setMinimumWidth(96);
        auto* lblSerial =
            new QLabel(QStringLiteral("Enter Identifier Serial Number"), gbPrintBarcode_);
        lblSerial->setObjectName(QStringLiteral("lblSerialNum"));
        lblSerial->setToolTip(QString::fromLatin1(kSerialHint));
        editSerialNum_ =
            MakeMaskedEdit(gbPrintBarcode_, QStringLiteral("editSerialNum"), kSerialMask, 8);
        editSerialNum_->setToolTip(QString::fromLatin1(kSerialHint));
        editSerialNum_->setMinimumWidth(96);
        auto* grid = new QGridLayout(gbPrintBarcode_);
        grid->addWidget(lblCustID, 0, 0);
        grid->addWidget(editCustID_, 0, 1);
        grid->addWidget(lblSerial, 1, 0);
        grid->addWidget(editSerialNum_, 1, 1);
        editCustID_->setText(QString::fromStdString(settings_.CustID));
        editSerialNum_->setText(QString::fromStdString(settings_.SerialNum));
    } else {
        gbNoBarCode_ = new QGroupBox(this);
        gbNoBarCode_->setObjectName(QStringLiteral("gbNoBarCode"));
        gbNoBarCode_->setGeometry(8, kGroupTop, kWidth - 16, kPreprintedGroupHeight);
        auto* lblMailerNum = new QLabel(QStringLiteral("20 Digit Mailer Number"), gbNoBarCode_);
        editMailerNum_ =
            MakeMaskedEdit(gbNoBarCode_, QStringLiteral("editMailerNum"), kMailerNumMask, 20);
        rgCountType_ = new QGroupBox(QStringLiteral("Count Type"), gbNoBarCode_);
        rgCountType_->setObjectName(QStringLiteral("rgCountType"));
        rbIncrement_ = new QRadioButton(QStringLiteral("Increment"), rgCountType_);
        rbIncrement_->setObjectName(QStringLiteral("rbIncrement"));
        rbDecrement_ = new QRadioButton(QStringLiteral("Decrement"), rgCountType_);
        rbDecrement_->setObjectName(QStringLiteral("rbDecrement"));
        auto* columns = new QHBoxLayout(rgCountType_);
        columns->addWidget(rbIncrement_);
        columns->addWidget(rbDecrement_);
        auto* layout = new QVBoxLayout(gbNoBarCode_);
        layout->addWidget(lblMailerNum);
        layout->addWidget(editMailerNum_);
        layout->addWidget(rgCountType_);
        editMailerNum_->setText(QString::fromStdString(settings_.MailerNum));
        (settings_.Increment ? rbIncrement_ : rbDecrement_)->setChecked(true);
    }

    btnOK_ = new QPushButton(QStringLiteral("OK"), this);
    btnOK_->setObjectName(QStringLiteral("btnOK"));
    btnOK_->setDefault(true);
    btnCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    btnHelp_ = new QPushButton(QStringLiteral("Help"), this);
    btnHelp_->setObjectName(QStringLiteral("btnHelp"));
    btnHelp_->setAutoDefault(false);
    const int buttonsTop =
        kGroupTop + (barcodeMode_ ? kBarcodeGroupHeight : kPreprintedGroupHeight) + kButtonsGap;
    const int baseHeight = buttonsTop + kButtonsHeight;
    const int buttonWidth = 80;
    const int gap = (kWidth - 3 * buttonWidth) / 4;
    btnOK_->setGeometry(gap, buttonsTop, buttonWidth, 25);
    btnCancel_->setGeometry(2 * gap + buttonWidth, buttonsTop, buttonWidth, 25);
    btnHelp_->setGeometry(3 * gap + 2 * buttonWidth, buttonsTop, buttonWidth, 25);
    connect(btnOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnHelp_, &QPushButton::clicked, this, &TF_Mailer::ShowHelp);

    cbDontShow_ = new QCheckBox(QStringLiteral("Do not show this screen again"), this);
    cbDontShow_->setObjectName(QStringLiteral("cbDontShow"));
    cbDontShow_->setGeometry(gap, baseHeight, kWidth - 2 * gap, 20);
    cbDontShow_->setVisible(showDontShow_);

    if (barcodeMode_) {
        panelBarCode_ = MakeBarCodeHelpPanel(this, &prompts_);
    } else {
        panelMailerNum_ = MakeMailerNumPanel();
    }

    // The check box shows below the buttons when a print opened the dialog.
    baseHeight_ = baseHeight + (showDontShow_ ? kDontShowGrowth : 0);
    setFixedSize(kWidth, baseHeight_);
    CentreOnScreen(this);
    (barcodeMode_ ? editCustID_ : editMailerNum_)->setFocus();
}

// A sunken help panel with its texts one under the other.
static QFrame* MakeHelpPanel(QWidget* dialog, const QString& name) {
    auto* panel = new QFrame(dialog);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setFont(HelpFont(dialog->font()));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(2);
    return panel;
}

QFrame* MakeBarCodeHelpPanel(QWidget* dialog, Prompts* linkPrompts) {
    auto* panel = MakeHelpPanel(dialog, QStringLiteral("panelBarCode"));
    auto* layout = static_cast<QVBoxLayout*>(panel->layout());
    layout->addWidget(HelpText(
        panel, QStringLiteral("<b>Customer ID:</b> You may request a nine-digit customer ID "
                              "(i.e., your DUNS number) from your postal representative or by "
                              "contacting Dun &amp; Bradstreet by telephone at 800-333-0505 or "
                              "via Internet at")));
    auto* labelDnB = new LinkLabel(QString::fromLatin1(kDunsWebSite), panel);
    labelDnB->setObjectName(QStringLiteral("LabelDnB"));
    if (linkPrompts != nullptr) {
        QObject::connect(labelDnB, &LinkLabel::clicked, dialog, [linkPrompts, labelDnB] {
            linkPrompts->OpenUrl(QUrl::fromUserInput(labelDnB->text()));
        });
    } else {
        labelDnB->SetActive(false);
    }
    layout->addWidget(labelDnB);
    layout->addWidget(HelpText(
        panel, QStringLiteral("This number uniquely identifies business entities at specific "
                              "physical addresses.  If you are generating mailings at multiple "
                              "locations, you must use the DUNS number appropriate for each "
                              "mailing location.")));
    layout->addWidget(HelpText(
        panel, QStringLiteral("<b>Identifier Serial Number:</b> You will self-assign an "
                              "eight-digit Identifier Serial Number.  This number must remain "
                              "unique for at least 2 years in order to ensure that it identifies "
                              "only one mailpiece.")));
    layout->addStretch();
    panel->hide();
    return panel;
}

QFrame* TF_Mailer::MakeMailerNumPanel() {
    auto* panel = MakeHelpPanel(this, QStringLiteral("panelMailerNum"));
    auto* layout = static_cast<QVBoxLayout*>(panel->layout());
    layout->addWidget(HelpText(
        panel, QStringLiteral("<b>20 Digit Mailer Number:</b> You have chosen not to print the "
                              "bar code's, thus your mailers must have the bar code already "
                              "printed on them.  You must enter all 20 digits of the next Mailer "
                              "Number in your printer.")));
    layout->addWidget(HelpText(panel, QStringLiteral("<b>Increment/Decrement:</b> You can select "
                                                     "either &quot;Increment&quot;, or ")));
    auto* countHelp = new QPlainTextEdit(panel);
    countHelp->setObjectName(QStringLiteral("memoCountType"));
    countHelp->setReadOnly(true);
    countHelp->setFrameStyle(QFrame::NoFrame);
    countHelp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    countHelp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    countHelp->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont lineFont = countHelp->font();
    lineFont.setPixelSize(9);
    countHelp->setFont(lineFont);
    countHelp->setFocusPolicy(Qt::NoFocus);
    countHelp->setPlainText(
        QStringLiteral("\"Decrement\" depending on the order you have the Mailer's in your "
                       "printer. \n"
                       "Some printers  pull paper from the bottom of the pile and some from the "
                       "top. \n"
                       "Thus if your printer takes paper from the bottom of the pile, you must "
                       "use \n"
                       "the mailer number from the bottom of the pile of mailers and have the \n"
                       "counter decrement the number for each new label. "));
    QPalette colors = countHelp->palette();
    colors.setColor(QPalette::Base, palette().color(QPalette::Window));
    countHelp->setPalette(colors);
    // Five lines, each as written, in a slightly smaller font so they fit.
    countHelp->setFixedHeight(5 * QFontMetrics(lineFont).lineSpacing() + 6);
    layout->addWidget(countHelp);
    layout->addWidget(HelpText(
        panel, QStringLiteral("To determine the order of your mailer numbers, look at the last 10 "
                              "digits of the Mailer Number and ignore the last digit.  The "
                              "remaining 9 digits will be your <b>unique number</b>. These "
                              "<b>unique numbers</b> should be consecutive.")));
    layout->addStretch();
    panel->hide();
    return panel;
}

void TF_Mailer::ShowHelp() {
    QFrame* panel = barcodeMode_ ? panelBarCode_ : panelMailerNum_;
    const int panelHeight = barcodeMode_ ? kBarCodePanelHeight : kMailerNumPanelHeight;
    panel->setGeometry(8, baseHeight_, kHelpWidth - 16, panelHeight);
    panel->show();
    setFixedSize(kHelpWidth, height() + panelHeight);
    btnHelp_->setEnabled(false);
    CentreOnScreen(this);
}

void TF_Mailer::accept() {
    // A masked field needs every position filled before the dialog may close.
    if (!MaskedFieldsComplete(prompts_, this, {editCustID_, editSerialNum_, editMailerNum_})) {
        return;
    }
    if (barcodeMode_) {
        settings_.CustID = editCustID_->text().toStdString();
        settings_.SerialNum = editSerialNum_->text().toStdString();
    } else {
        settings_.MailerNum = editMailerNum_->text().toStdString();
        settings_.Increment = rbIncrement_->isChecked();
    }
    settings_.ShowMailerBeforePrint = !cbDontShow_->isChecked();
    QDialog::accept();
}

} // namespace vell3
