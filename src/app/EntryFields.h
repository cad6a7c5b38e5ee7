#pragma once

#include <QString>
#include <QStringList>

class QLineEdit;
class QPlainTextEdit;

namespace vell3 {

// The text of a masked field as the program reads it: the literals of the mask
// stay and every unfilled position reads as a blank, so an empty ZIP field
// reads "     -    ".
QString MaskedText(const QLineEdit* edit);

// One line of a multi-line field as the field shows it: a paragraph too long
// for the width wraps into several lines.
struct DisplayedLine {
    int start = 0;  // position in the document
    int length = 0; // characters, without the paragraph break
    QString text;
};

// The lines as displayed; an empty last line after a final line break does not
// count, as it holds nothing.
QList<DisplayedLine> DisplayedLines(const QPlainTextEdit* memo);
QStringList DisplayedLineTexts(const QPlainTextEdit* memo);

// Replaces the text of the line `index` as the field shows it (the line must
// exist; a missing one is added at the end).
void ReplaceDisplayedLine(QPlainTextEdit* memo, int index, const QString& text);

// While the field shows more than `maxLines` lines, deletes the line after the
// last allowed one (its text up to the start of the following line).
void DropLinesBeyond(QPlainTextEdit* memo, int maxLines);

// Keeps a multi-line field to four lines on every change.
void LimitToFourLines(QPlainTextEdit* memo);

inline constexpr int kMaxAddressLines = 4;

} // namespace vell3
