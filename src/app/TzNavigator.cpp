#include "TzNavigator.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QToolButton>

namespace vell3 {

namespace {

struct ButtonLook {
    const char* name;    // as the navigator of the dataset names its buttons
    const char* caption; // where the theme has no icon
    const char* hint;
    const char* icon; // freedesktop icon name
    QKeyCombination key;
};

const std::array<ButtonLook, TzNavigator::kButtons>& Looks() {
    static const std::array<ButtonLook, TzNavigator::kButtons> looks{{
        {"nbFirst", "|<", "First record", "go-first", Qt::CTRL | Qt::Key_Home},
        {"nbPrior", "<", "Prior record", "go-previous", Qt::CTRL | Qt::Key_PageUp},
        {"nbNext", ">", "Next record", "go-next", Qt::CTRL | Qt::Key_PageDown},
        {"nbLast", ">|", "Last record", "go-last", Qt::CTRL | Qt::Key_End},
        {"nbInsert", "+", "Insert record", "list-add", QKeyCombination(Qt::Key_Insert)},
        {"nbDelete", "-", "Delete record", "list-remove", Qt::CTRL | Qt::Key_Delete},
        {"nbPost", "\u2713", "Post edit", "document-save", Qt::CTRL | Qt::Key_Return},
        {"nbCancel", "\u2717", "Cancel edit", "edit-undo", QKeyCombination(Qt::Key_Escape)},
        {"nbRefresh", "\u21bb", "Refresh data", "view-refresh", QKeyCombination(Qt::Key_F5)},
    }};
    return looks;
}

} // namespace

TzNavigator::TzNavigator(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tznavigator1"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (int i = 0; i < kButtons; ++i) {
        const ButtonLook& look = Looks()[static_cast<size_t>(i)];
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(look.name));
        const QString hint = QString::fromLatin1(look.hint);
        button->setToolTip(hint);
        button->setAccessibleName(hint);
        const QIcon icon = QIcon::fromTheme(QString::fromLatin1(look.icon));
        if (icon.isNull()) {
            button->setText(QString::fromUtf8(look.caption));
        } else {
            button->setIcon(icon);
        }
        // The keys act from the database fields; the buttons themselves are
        // reached with the mouse, as a navigator's are.
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRaise(false);
        row->addWidget(button);
        buttons_[static_cast<size_t>(i)] = button;
        connect(button, &QToolButton::clicked, this,
                [this, i] { emit pressed(static_cast<Button>(i)); });
    }
}

QKeySequence TzNavigator::KeyOf(Button button) {
    return QKeySequence(Looks()[static_cast<size_t>(button)].key);
}

bool TzNavigator::FindKey(const QKeySequence& key, Button& button) {
    for (int i = 0; i < kButtons; ++i) {
        const QKeySequence own(Looks()[static_cast<size_t>(i)].key);
        // Enter of the keypad posts like Return.
        const bool enter = i == Post && key == QKeySequence(Qt::CTRL | Qt::Key_Enter);
        if (key == own || enter) {
            button = static_cast<Button>(i);
            return true;
        }
    }
    return false;
}

void TzNavigator::Press(Button button) {
    buttons_[static_cast<size_t>(button)]->click();
}

} // namespace vell3
