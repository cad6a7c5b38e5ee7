#include "Widgets.h"

#include "EntryFields.h"

#include <QContextMenuEvent>
#include <QDialog>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QValidator>

namespace vell3 {

QHBoxLayout* MakeOkCancelRow(QDialog* dialog, ButtonRow placement) {
    auto* btnOK = new QPushButton(QStringLiteral("OK"), dialog);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    auto* btnCancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    QObject::connect(btnOK, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(btnCancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    if (placement == ButtonRow::Centred) {
        buttons->addStretch();
    }
    return buttons;
}

namespace {

// A field that knows while it handles the user's typing (keys, input methods,
// drops, the middle-button paste), so that its validator limits only that.
class LimitedLineEdit : public QLineEdit {
public:
    LimitedLineEdit(int limit, QWidget* parent) : QLineEdit(parent), limit_(limit) {}

    bool Typing() const { return typing_; }
    int Limit() const { return limit_; }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        AsTyping([&] { QLineEdit::keyPressEvent(event); });
    }
    void inputMethodEvent(QInputMethodEvent* event) override {
        AsTyping([&] { QLineEdit::inputMethodEvent(event); });
    }
    void dropEvent(QDropEvent* event) override {
        AsTyping([&] { QLineEdit::dropEvent(event); });
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        AsTyping([&] { QLineEdit::mouseReleaseEvent(event); });
    }
    // The commands of the field's own menu (its Paste above all) are the
    // user's input too. The menu runs a command after it has closed, so the
    // flag stays until the events of that moment are handled.
    void contextMenuEvent(QContextMenuEvent* event) override {
        QMenu* menu = createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        typing_ = true;
        connect(menu, &QMenu::aboutToHide, this,
                [this] { QTimer::singleShot(0, this, [this] { typing_ = false; }); });
        menu->popup(event->globalPos());
    }

private:
    template <typename F> void AsTyping(F handle) {
        typing_ = true;
        handle();
        typing_ = false;
    }

    int limit_;
    bool typing_ = false;
};

// Refuses typing that makes the text longer than the limit; a text the program
// sets is taken whole, and a text already beyond the limit can be shortened.
class TypedLengthValidator : public QValidator {
public:
    explicit TypedLengthValidator(LimitedLineEdit* edit) : QValidator(edit), edit_(edit) {
        // The field already holds the edited text while it asks, so the
        // length it showed before is tracked here.
        QObject::connect(edit, &QLineEdit::textChanged, this,
                         [this](const QString& text) { shown_ = text.size(); });
    }

    State validate(QString& input, int& pos) const override {
        const qsizetype limit = edit_->Limit();
        if (!edit_->Typing() || input.size() <= limit || input.size() <= shown_) {
            return Acceptable;
        }
        if (shown_ > limit) {
            return Invalid;
        }
        // Like a limited edit control: what was inserted just before the
        // caret is cut to the room that was left, so a long paste is shortened
        // rather than refused.
        const qsizetype excess = input.size() - limit;
        if (excess > pos) {
            return Invalid;
        }
        input.remove(pos - excess, excess);
        pos -= static_cast<int>(excess);
        return Acceptable;
    }

private:
    LimitedLineEdit* edit_;
    qsizetype shown_ = 0;
};

} // namespace

QLineEdit* MakeLineEdit(QWidget* parent, const QString& name, int maxLength) {
    auto* edit = new LimitedLineEdit(maxLength, parent);
    edit->setObjectName(name);
    edit->setValidator(new TypedLengthValidator(edit));
    return edit;
}

int TypedLengthLimit(const QLineEdit* edit) {
    const auto* limited = dynamic_cast<const LimitedLineEdit*>(edit);
    return limited != nullptr ? limited->Limit() : edit->maxLength();
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
