#pragma once

#include <QKeySequence>
#include <QWidget>

#include <array>

class QToolButton;

namespace vell3 {

// The record navigator of the address database: a row of nine buttons with
// the desktop theme's icons (their captions where the theme has none). It
// only says which button was pressed; the database mode acts on it.
class TzNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Post, Cancel, Refresh };
    static constexpr int kButtons = 9;

    explicit TzNavigator(QWidget* parent = nullptr);

    QToolButton* ButtonOf(Button button) const { return buttons_[button]; }
    // The keys that press a button while the focus is in the database fields.
    static QKeySequence KeyOf(Button button);
    static bool FindKey(const QKeySequence& key, Button& button);
    // Presses a button as a click does.
    void Press(Button button);

signals:
    void pressed(vell3::TzNavigator::Button button);

private:
    std::array<QToolButton*, kButtons> buttons_{};
};

} // namespace vell3
