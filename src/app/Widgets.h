#pragma once

#include <QLabel>
#include <QSize>
#include <QString>

class QDialog;
class QHBoxLayout;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace vell3 {

inline constexpr int kCityMaxLength = 35;
inline constexpr int kStateMaxLength = 4;
inline constexpr int kZipMaxLength = 10;
inline constexpr int kCommentMaxLength = 35;
inline constexpr int kReMaxLength = 25;

// Five optional digits, the fixed dash, four optional digits; unfilled
// positions show as "_" and read as blanks.
inline constexpr const char* kZipInputMask = "00000-0000;_";

// A one-line field whose typing stops at `maxLength` characters. A longer text
// the program puts there (from the settings file or a paste) stays whole, as
// the limit is one of typing only.
QLineEdit* MakeLineEdit(QWidget* parent, const QString& name, int maxLength);
int TypedLengthLimit(const QLineEdit* edit);
QLineEdit* MakeZipEdit(QWidget* parent, const QString& name);
// A name and street field: wraps at its width, no scroll bars, four lines.
QPlainTextEdit* MakeAddressMemo(QWidget* parent, const QString& name, QSize size);

// The "OK" (default, accepts) and "Cancel" (rejects) buttons of a dialog, named
// btnOK and btnCancel, in a row of their own.
enum class ButtonRow { Centred, Right };
QHBoxLayout* MakeOkCancelRow(QDialog* dialog, ButtonRow placement);

// A label that acts as a link: blue, underlined, hand cursor, emits clicked.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString& text, QWidget* parent);
    // A label that only looks like a link until it is made active.
    void SetActive(bool active);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool active_ = true;
};

} // namespace vell3
