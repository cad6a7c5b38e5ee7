#include "U_AskThreeWay.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace vell3 {

namespace {

constexpr int kInitialWidth = 325;
constexpr int kMargin = 10;
constexpr int kButtonHeight = 25;
constexpr int kButtonBottomOffset = 35;
constexpr int kHeightExtra = 22;

} // namespace

TF_AskThreeWay::TF_AskThreeWay(const QString& title, const QString& message,
                               const QStringList& captions, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("TF_AskThreeWay"));
    setWindowTitle(title);
    setModal(true);

    const QFontMetrics metrics(font());
    const int lineHeight = metrics.height();
    const int k = static_cast<int>(captions.size());

    int widest = 0;
    for (const QString& caption : captions) {
        widest = std::max(widest, metrics.horizontalAdvance(caption));
    }
    const int buttonWidth = widest + kMargin;
    const int allButtons = k * buttonWidth + (k + 1) * kMargin;

    int width = kInitialWidth;
    if (allButtons > width) {
        width = allButtons;
    }
    const int messageWidth = metrics.horizontalAdvance(message);
    if (allButtons > messageWidth) {
        // A short message gets a box as narrow as its buttons.
        width = allButtons;
    }

    int messageHeight = 3 * lineHeight;
    if (width > 0 && width < messageWidth) {
        messageHeight = (messageWidth / width + 3) * lineHeight;
    }
    const int height = messageHeight + 4 * lineHeight + kHeightExtra;
    setFixedSize(width, height);

    message_ = new QLabel(message, this);
    message_->setTextFormat(Qt::PlainText);
    message_->setObjectName(QStringLiteral("lblMessage"));
    message_->setWordWrap(true);
    message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    message_->setGeometry(kMargin, kMargin, width - 2 * kMargin, messageHeight);

    for (int i = 1; i <= k; ++i) {
        auto* button = new QPushButton(captions[i - 1], this);
        button->setObjectName(QStringLiteral("btnAnswer%1").arg(i));
        button->setAutoDefault(false);
        button->setGeometry(width - i * (buttonWidth + kMargin), height - kButtonBottomOffset,
                            buttonWidth, kButtonHeight);
        connect(button, &QPushButton::clicked, this, [this, i] {
            answer_ = i;
            done(i);
        });
        buttons_.append(button);
    }

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width / 2, height / 2));
    }
}

int TF_AskThreeWay::Run() {
    exec();
    return answer_;
}

void TF_AskThreeWay::closeEvent(QCloseEvent* event) {
    if (answer_ == 0) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TF_AskThreeWay::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Each new button took the focus in turn: the last caption's keeps it.
    if (!buttons_.isEmpty()) {
        buttons_.last()->setFocus(Qt::OtherFocusReason);
    }
}

} // namespace vell3
