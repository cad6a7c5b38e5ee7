#include "U_Help.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace vell3 {

TF_Help::TF_Help(const QString& helpFile, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TF_Help"));
    setWindowTitle(QStringLiteral("Vell3 Certified Mail Help"));
    setModal(false);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("browserHelp"));
    browser_->setOpenExternalLinks(true);
    if (QFileInfo::exists(helpFile)) {
        browser_->setSource(QUrl::fromLocalFile(helpFile));
    } else {
        browser_->setPlainText(QStringLiteral("The help file %1 was not found.").arg(helpFile));
    }

    auto* btnBack = new QPushButton(QStringLiteral("&Back"), this);
    btnBack->setObjectName(QStringLiteral("btnBack"));
    connect(btnBack, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, btnBack, &QPushButton::setEnabled);
    btnBack->setEnabled(false);
    auto* btnContents = new QPushButton(QStringLiteral("&Contents"), this);
    btnContents->setObjectName(QStringLiteral("btnContents"));
    connect(btnContents, &QPushButton::clicked, browser_, &QTextBrowser::home);
    auto* btnClose = new QPushButton(QStringLiteral("Close"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    connect(btnClose, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnContents);
    buttons->addWidget(btnBack);
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);
    resize(640, 560);
}

} // namespace vell3
