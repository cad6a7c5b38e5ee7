#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;

namespace vell3 {

// The question box with one button per caption: the first caption is the
// rightmost button, the last one is leftmost and holds the focus. Its size
// follows the captions and the message in the box's own font.
class TF_AskThreeWay : public QDialog {
    Q_OBJECT
public:
    TF_AskThreeWay(const QString& title, const QString& message, const QStringList& captions,
                   QWidget* parent = nullptr);

    // Shows the box modally; the 1-based position of the caption pressed.
    int Run();

    // The position of the caption pressed; 0 while none was.
    int Answer() const { return answer_; }

    QLabel* MessageLabel() const { return message_; }
    const QList<QPushButton*>& Buttons() const { return buttons_; }

    // The box can only be left through one of its buttons.
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QLabel* message_ = nullptr;
    QList<QPushButton*> buttons_;
    int answer_ = 0;
};

} // namespace vell3
