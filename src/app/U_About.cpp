#include "U_About.h"

#include "Branding.h"
#include "Prompts.h"
#include "Widgets.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>

namespace vell3 {

namespace {

constexpr int kWidth = 308;
constexpr int kHeight = 302;
constexpr int kSplashHeight = 80;
constexpr int kSplashPanelHeight = 62;
constexpr int kResellerLogoGrowth = 56;
constexpr int kInfoWidth = 274;

QLabel* InfoLabel(QWidget* parent, const QString& name, int top, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(0, top, kInfoWidth, 16);
    return label;
}

void MakeRedBold(QLabel* label) {
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    QPalette colors = label->palette();
    colors.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(colors);
}

void CentreOnScreen(QWidget* window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
    }
}

} // namespace

QString VersionLabelText(const QString& fileVersion) {
    if (fileVersion.isEmpty()) {
        return QStringLiteral("Version 3.0");
    }
    const QStringList parts = fileVersion.split(QLatin1Char('.'));
    return QStringLiteral("Version ") + QStringList(parts.mid(0, 3)).join(QLatin1Char('.'));
}

QString BuildVersion() {
    return QStringLiteral(VELL3_VERSION_TEXT);
}

TF_About::TF_About(const AppSettings& settings, Prompts& prompts, int splashMode, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), settings_(settings), prompts_(prompts),
      splashMode_(splashMode) {
    setObjectName(QStringLiteral("TF_About"));
    // Frameless: the window carries no title of its own.
    setFixedSize(kWidth, kHeight);

    panel1_ = new QFrame(this);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    panel1_->setFrameStyle(QFrame::Box | QFrame::Raised);
    panel1_->setLineWidth(2);
    panel1_->setGeometry(0, 0, kWidth, kHeight);

    panelMain_ = new QFrame(panel1_);
    panelMain_->setObjectName(QStringLiteral("panelMain"));
    panelMain_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panelMain_->setGeometry(7, 7, 290, 250);

    image1_ = new QLabel(panelMain_);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setGeometry(14, 2, 257, 57);
    image1_->setScaledContents(true);
    image1_->setPixmap(ProductLogo(QSize(257, 57)));

    imageCompany_ = new QLabel(panelMain_);
    imageCompany_->setObjectName(QStringLiteral("imageCompany"));
    imageCompany_->setGeometry(44, 64, 197, 41);
    imageCompany_->setScaledContents(true);
    imageCompany_->setAlignment(Qt::AlignCenter);
    imageCompany_->setPixmap(MakerLogo(QSize(197, 41)));

    panelInfo_ = new QFrame(panelMain_);
    panelInfo_->setObjectName(QStringLiteral("panelInfo"));
    panelInfo_->setGeometry(8, 110, kInfoWidth, 136);

    const ContactTexts& designed = MakerContact();
    labelStreet_ =
        InfoLabel(panelInfo_, QStringLiteral("labelStreet"), 0, QString::fromUtf8(designed.street));
    labelCity_ =
        InfoLabel(panelInfo_, QStringLiteral("labelCity"), 24, QString::fromUtf8(designed.city));
    labelWebSite_ = new LinkLabel(QString::fromUtf8(designed.webSite), panelInfo_);
    labelWebSite_->setObjectName(QStringLiteral("labelWebSite"));
    labelWebSite_->setAlignment(Qt::AlignCenter);
    labelWebSite_->setGeometry(0, 68, kInfoWidth, 16);
    labelEMail_ = new LinkLabel(QString::fromUtf8(designed.eMail), panelInfo_);
    labelEMail_->setObjectName(QStringLiteral("labelEMail"));
    labelEMail_->setAlignment(Qt::AlignCenter);
    labelEMail_->setGeometry(0, 84, kInfoWidth, 16);
    labelVersion_ =
        InfoLabel(panelInfo_, QStringLiteral("labelVersion"), 104, QStringLiteral("Version 3.5"));
    MakeRedBold(labelVersion_);
    labelRights_ = InfoLabel(panelInfo_, QStringLiteral("labelRights"), 120,
                             QString::fromUtf8(designed.rights));
    MakeRedBold(labelRights_);

    btnOK_ = new QPushButton(QStringLiteral("OK"), panel1_);
    btnOK_->setObjectName(QStringLiteral("btnOK"));
    btnOK_->setGeometry(114, 264, 75, 25);
    connect(btnOK_, &QPushButton::clicked, this, &QDialog::accept);

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(kSplashMilliseconds);
    // The first tick switches the timer off.
    timer1_->setSingleShot(true);
    timer1_->setTimerType(Qt::PreciseTimer);

    connect(labelWebSite_, &LinkLabel::clicked, this, [this] {
        if (splashMode_ == 0) {
            prompts_.OpenUrl(QUrl::fromUserInput(labelWebSite_->text()));
        }
    });
    connect(labelEMail_, &LinkLabel::clicked, this, [this] {
        if (splashMode_ == 0) {
            prompts_.OpenUrl(QUrl(QStringLiteral("mailto:") + labelEMail_->text() +
                                  QStringLiteral("?Subject=") +
                                  QString::fromLatin1(kApplicationTitle)));
        }
    });
    labelWebSite_->SetActive(splashMode_ == 0);
    labelEMail_->SetActive(splashMode_ == 0);
}

bool TF_About::TimerRunning() const {
    return timer1_->isActive();
}

void TF_About::reject() {
    // Escape closes the About box; the splash ignores it.
    if (splashMode_ == 0) {
        QDialog::reject();
    }
}

void TF_About::showEvent(QShowEvent* event) {
    if (!prepared_) {
        prepared_ = true;
        if (splashMode_ == 1) {
            ShowAsSplash();
        } else {
            ShowAsAbout();
        }
    }
    QDialog::showEvent(event);
}

void TF_About::ShowAsSplash() {
    setFixedSize(kWidth, kSplashHeight);
    panel1_->setGeometry(0, 0, kWidth, kSplashHeight);
    panelMain_->resize(panelMain_->width(), kSplashPanelHeight);
    btnOK_->hide();
    timer1_->start();
    CentreOnScreen(this);
}

void TF_About::ShowAsAbout() {
    const ContactTexts* texts = nullptr;
    if (settings_.CompanyType == kMakerCompany) {
        texts = &MakerContact();
    } else if (settings_.CompanyType == kResellerCompany) {
        texts = &ResellerContact();
    }
    if (texts != nullptr) {
        labelStreet_->setText(QString::fromUtf8(texts->street));
        labelCity_->setText(QString::fromUtf8(texts->city));
        labelWebSite_->setText(QString::fromUtf8(texts->webSite));
        labelEMail_->setText(QString::fromUtf8(texts->eMail));
        labelRights_->setText(QString::fromUtf8(texts->rights));
    }
    if (settings_.CompanyType == kResellerCompany) {
        // A missing or broken logo keeps the designed one and the designed size.
        const QPixmap logo(QString::fromStdString(settings_.ProgramFolder) +
                           QString::fromLatin1(kResellerLogoFile));
        if (!logo.isNull()) {
            imageCompany_->setPixmap(logo);
            Grow(kResellerLogoGrowth);
        }
    }
    labelVersion_->setText(VersionLabelText(BuildVersion()));
    CentreOnScreen(this);
}

void TF_About::Grow(int pixels) {
    setFixedSize(width(), height() + pixels);
    panel1_->resize(panel1_->width(), panel1_->height() + pixels);
    imageCompany_->resize(imageCompany_->width(), imageCompany_->height() + pixels);
    panelMain_->resize(panelMain_->width(), panelMain_->height() + pixels);
    panelInfo_->move(panelInfo_->x(), panelInfo_->y() + pixels);
    btnOK_->move(btnOK_->x(), btnOK_->y() + pixels);
}

} // namespace vell3
