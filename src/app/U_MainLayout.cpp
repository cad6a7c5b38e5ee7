#include "U_Main.h"

#include "AddressText.h"
#include "Branding.h"
#include "EntryFields.h"
#include "Text.h"
#include "Widgets.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

// The controls of the main window, their arrangement, tab order and the
// signals that make any edit of the entry count as a change.

namespace vell3 {

namespace {

constexpr int kFeeFieldWidth = 73;
constexpr int kFeeFieldHeight = 20;
constexpr int kFeeFontPixels = 11;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

std::string S(const QString& text) {
    return text.toStdString();
}

QLineEdit* FeeField(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    QFont bold = edit->font();
    bold.setBold(true);
    bold.setPixelSize(kFeeFontPixels);
    edit->setFont(bold);
    edit->setAlignment(Qt::AlignLeft);
    edit->setFixedSize(kFeeFieldWidth, kFeeFieldHeight + 2);
    return edit;
}

QLabel* NamedLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

QWidget* TF_Main::BuildPictures() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    image1_ = new QLabel(box);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setFixedSize(257, 57);
    image1_->setScaledContents(true);
    image1_->setPixmap(ProductLogo(QSize(257, 57)));
    imageCompany_ = new QLabel(box);
    imageCompany_->setObjectName(QStringLiteral("imageCompany"));
    imageCompany_->setFixedSize(257, 74);
    imageCompany_->setScaledContents(true);
    imageCompany_->setPixmap(MakerLogo(QSize(257, 74)));
    layout->addWidget(image1_);
    layout->addWidget(imageCompany_);
    return box;
}

QGroupBox* TF_Main::BuildSenderGroup() {
    gbYour_ = new QGroupBox(QStringLiteral("Your Name and Address"), this);
    gbYour_->setObjectName(QStringLiteral("gbYour"));
    auto* layout = new QGridLayout(gbYour_);
    layout->setVerticalSpacing(0);
    for (size_t i = 0; i < lblYourAddress_.size(); ++i) {
        auto* label = new QLabel(gbYour_);
        label->setObjectName(QStringLiteral("lblYourAddress%1").arg(i + 1));
        label->setTextFormat(Qt::PlainText);
        lblYourAddress_[i] = label;
        layout->addWidget(label, static_cast<int>(i), 0);
    }
    btnChangeYourAddress_ = new QPushButton(QStringLiteral("Change"), gbYour_);
    btnChangeYourAddress_->setObjectName(QStringLiteral("btnChangeYourAddress"));
    layout->addWidget(btnChangeYourAddress_, 4, 1, Qt::AlignRight);
    connect(btnChangeYourAddress_, &QPushButton::clicked, this, [this] { OpenSenderDialog(true); });
    return gbYour_;
}

QWidget* TF_Main::BuildCommentAndRe() {
    auto* box = new QWidget(this);
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    editComment_ = MakeLineEdit(box, QStringLiteral("editComment"), kCommentMaxLength);
    editRe_ = MakeLineEdit(box, QStringLiteral("editRe"), kReMaxLength);
    layout->addWidget(NamedLabel(box, "Label13", QStringLiteral("Comment:")), 0, 0);
    layout->addWidget(editComment_, 0, 1);
    layout->addWidget(NamedLabel(box, "Label17", QStringLiteral("RE:")), 1, 0);
    layout->addWidget(editRe_, 1, 1);
    return box;
}

QGroupBox* TF_Main::BuildRecipientGroup() {
    groupBox3_ = new QGroupBox(QStringLiteral("Addressed To"), this);
    groupBox3_->setObjectName(QStringLiteral("GroupBox3"));
    btnPaste_ = new QPushButton(QStringLiteral("P&aste"), groupBox3_);
    btnPaste_->setObjectName(QStringLiteral("btnPaste"));
    btnClear_ = new QPushButton(QStringLiteral("&Clear"), groupBox3_);
    btnClear_->setObjectName(QStringLiteral("btnClear"));
    memoAddress_ = MakeAddressMemo(groupBox3_, QStringLiteral("memoAddress"), QSize(265, 60));
    editCity_ = MakeLineEdit(groupBox3_, QStringLiteral("editCity"), kCityMaxLength);
    editState_ = MakeLineEdit(groupBox3_, QStringLiteral("editState"), kStateMaxLength);
    editZip_ = MakeZipEdit(groupBox3_, QStringLiteral("editZip"));

    // The data-bound twins and the database controls show only while an
    // address database is open.
    labelDatabaseName_ = NamedLabel(groupBox3_, "labelDatabaseName", QString());
    labelOrder_ = NamedLabel(groupBox3_, "labelOrder", QString());
    tzmemoAddress_ = MakeAddressMemo(groupBox3_, QStringLiteral("tzmemoAddress"), QSize(265, 60));
    tzeditCity_ = MakeLineEdit(groupBox3_, QStringLiteral("tzeditCity"), kCityMaxLength);
    tzeditState_ = MakeLineEdit(groupBox3_, QStringLiteral("tzeditState"), kStateMaxLength);
    tzeditZip_ = MakeZipEdit(groupBox3_, QStringLiteral("tzeditZip"));
    btnExit_ = new QPushButton(QStringLiteral("&Exit"), groupBox3_);
    btnExit_->setObjectName(QStringLiteral("btnExit"));
    for (QWidget* w :
         std::initializer_list<QWidget*>{labelDatabaseName_, labelOrder_, tzmemoAddress_,
                                         tzeditCity_, tzeditState_, tzeditZip_, btnExit_}) {
        w->hide();
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnPaste_);
    buttons->addWidget(btnClear_);
    buttons->addWidget(labelDatabaseName_);
    buttons->addWidget(labelOrder_);
    buttons->addWidget(btnExit_);
    buttons->addStretch();
    auto* cityRow = new QHBoxLayout;
    cityRow->addWidget(editCity_, 4);
    cityRow->addWidget(editState_, 1);
    cityRow->addWidget(editZip_, 2);
    cityRow->addWidget(tzeditCity_, 4);
    cityRow->addWidget(tzeditState_, 1);
    cityRow->addWidget(tzeditZip_, 2);
    auto* layout = new QVBoxLayout(groupBox3_);
    layout->addLayout(buttons);
    layout->addWidget(memoAddress_);
    layout->addWidget(tzmemoAddress_);
    layout->addLayout(cityRow);

    connect(btnPaste_, &QPushButton::clicked, this, [this] {
        const QClipboard* clipboard = QGuiApplication::clipboard();
        // Linux programs end clipboard lines with LF alone; the address rules
        // read Windows line ends.
        PasteRecipient(clipboard != nullptr ? Q(WithWindowsLineBreaks(S(clipboard->text())))
                                            : QString());
    });
    connect(btnClear_, &QPushButton::clicked, this, &TF_Main::ClearRecipient);
    return groupBox3_;
}

QGroupBox* TF_Main::BuildFeeGroup() {
    groupBox5_ = new QGroupBox(this);
    groupBox5_->setObjectName(QStringLiteral("GroupBox5"));
    editPostage_ = FeeField(groupBox5_, "editPostage");
    editCertFee_ = FeeField(groupBox5_, "editCertFee");
    editReturn_ = FeeField(groupBox5_, "editReturn");
    cbRestricted_ = new QCheckBox(groupBox5_);
    cbRestricted_->setObjectName(QStringLiteral("cbRestricted"));
    lblRestricted_ =
        NamedLabel(groupBox5_, "lblRestricted", QStringLiteral("Restricted Delivery Fee"));
    editRestricted_ = FeeField(groupBox5_, "editRestricted");
    editTotal_ = FeeField(groupBox5_, "editTotal");
    editTotal_->setReadOnly(true);
    editTotal_->setFocusPolicy(Qt::ClickFocus);
    btnPrint_ = new QPushButton(QStringLiteral("&Print"), groupBox5_);
    btnPrint_->setObjectName(QStringLiteral("btnPrint"));
    auto* shape2 = new QFrame(groupBox5_);
    shape2->setObjectName(QStringLiteral("Shape2"));
    shape2->setFixedSize(kFeeFieldWidth, 2);
    shape2->setAutoFillBackground(true);
    QPalette red = shape2->palette();
    red.setColor(QPalette::Window, Qt::red);
    shape2->setPalette(red);

    auto* grid = new QGridLayout(groupBox5_);
    grid->setVerticalSpacing(2);
    grid->addWidget(NamedLabel(groupBox5_, "Label1", QStringLiteral("Postage")), 0, 1);
    grid->addWidget(editPostage_, 0, 2);
    grid->addWidget(NamedLabel(groupBox5_, "Label2", QStringLiteral("Certified Fee")), 1, 1);
    grid->addWidget(editCertFee_, 1, 2);
    grid->addWidget(NamedLabel(groupBox5_, "Label5", QStringLiteral("Return Receipt")), 2, 1);
    grid->addWidget(editReturn_, 2, 2);
    grid->addWidget(cbRestricted_, 3, 0);
    grid->addWidget(lblRestricted_, 3, 1);
    grid->addWidget(editRestricted_, 3, 2);
    grid->addWidget(shape2, 4, 2);
    grid->addWidget(NamedLabel(groupBox5_, "Label9", QStringLiteral("Total")), 5, 1);
    grid->addWidget(editTotal_, 5, 2);
    grid->addWidget(btnPrint_, 5, 3);
    grid->setColumnStretch(1, 1);

    connect(cbRestricted_, &QCheckBox::clicked, this, &TF_Main::cbRestrictedClick);
    return groupBox5_;
}

void TF_Main::SetTabOrder() {
    // The fee group first (it holds the focus at start), then the sender
    // group, the comment and RE lines, the recipient group.
    const QList<QWidget*> order{editPostage_,
                                editCertFee_,
                                editReturn_,
                                cbRestricted_,
                                editRestricted_,
                                btnPrint_,
                                btnChangeYourAddress_,
                                editComment_,
                                editRe_,
                                memoAddress_,
                                editCity_,
                                editState_,
                                editZip_,
                                tzmemoAddress_,
                                tzeditCity_,
                                tzeditState_,
                                tzeditZip_,
                                btnPaste_,
                                btnClear_,
                                btnExit_};
    for (qsizetype i = 0; i + 1 < order.size(); ++i) {
        QWidget::setTabOrder(order[i], order[i + 1]);
    }
}

void TF_Main::ConnectEntryChanges() {
    for (QLineEdit* edit :
         {editRe_, editComment_, editCity_, editState_, editZip_, editPostage_, editCertFee_,
          editRestricted_, editReturn_, tzeditCity_, tzeditState_, tzeditZip_}) {
        connect(edit, &QLineEdit::textChanged, this, &TF_Main::MarkEntryChanged);
    }
    for (QPlainTextEdit* memo : {memoAddress_, tzmemoAddress_}) {
        connect(memo, &QPlainTextEdit::textChanged, this, &TF_Main::MarkEntryChanged);
    }
}

QList<QWidget*> TF_Main::EntryFields() const {
    return {editPostage_, editCertFee_,   editRestricted_, editReturn_,  editTotal_,
            editRe_,      editComment_,   memoAddress_,    editCity_,    editState_,
            editZip_,     tzmemoAddress_, tzeditCity_,     tzeditState_, tzeditZip_};
}

} // namespace vell3
