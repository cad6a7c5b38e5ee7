#include "Widgets.h"

#include "EntryFields.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>

namespace vell3 {

QLineEdit* MakeLineEdit(QWidget* parent, const QString& name, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    return edit;
}

QLineEdit* MakeZipEdit(QWidget* parent, const QString& name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setInputMask(QString::fromLatin1(kZipInputMask));
    edit->setMaxLength(kZipMaxLength);
    return edit;
}

QPlainTextEdit* MakeAddressMemo(QWidget* parent, const QString& name, QSize size) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setFixedSize(size);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setTabChangesFocus(true);
    LimitToFourLines(memo);
    return memo;
}

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    QFont linkFont = font();
    linkFont.setUnderline(true);
    setFont(linkFont);
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, Qt::blue);
    setPalette(colors);
    SetActive(true);
}

void LinkLabel::SetActive(bool active) {
    active_ = active;
    if (active) {
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (active_ && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

} // namespace vell3
