#include "EntryFields.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

namespace vell3 {

QString MaskedText(const QLineEdit* edit) {
    if (edit->inputMask().isEmpty()) {
        return edit->text();
    }
    // displayText() shows unfilled positions as the mask's blank character;
    // the mask's blank is never a character the mask accepts.
    const QString mask = edit->inputMask();
    const qsizetype separator = mask.lastIndexOf(QLatin1Char(';'));
    const QChar blank =
        separator >= 0 && separator + 1 < mask.size() ? mask.at(separator + 1) : QLatin1Char(' ');
    QString text = edit->displayText();
    text.replace(blank, QLatin1Char(' '));
    return text;
}

QList<DisplayedLine> DisplayedLines(const QPlainTextEdit* memo) {
    QList<DisplayedLine> lines;
    const QTextDocument* document = memo->document();
    const qreal margin = document->documentMargin();
    const qreal width = memo->width() - 2 * memo->frameWidth() - 2 * margin;
    QTextOption option = document->defaultTextOption();
    option.setWrapMode(memo->wordWrapMode());

    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (text.isEmpty() || memo->lineWrapMode() == QPlainTextEdit::NoWrap) {
            lines.append({block.position(), static_cast<int>(text.size()), text});
            continue;
        }
        QTextLayout layout(text, memo->font());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines.append({block.position() + line.textStart(), line.textLength(),
                          text.mid(line.textStart(), line.textLength())});
        }
        layout.endLayout();
    }
    if (!lines.isEmpty() && lines.last().length == 0) {
        lines.removeLast();
    }
    return lines;
}

QStringList DisplayedLineTexts(const QPlainTextEdit* memo) {
    QStringList texts;
    for (const DisplayedLine& line : DisplayedLines(memo)) {
        texts.append(line.text);
    }
    return texts;
}

void ReplaceDisplayedLine(QPlainTextEdit* memo, int index, const QString& text) {
    const QList<DisplayedLine> lines = DisplayedLines(memo);
    QTextCursor cursor(memo->document());
    if (index < lines.size()) {
        cursor.setPosition(lines[index].start);
        cursor.setPosition(lines[index].start + lines[index].length, QTextCursor::KeepAnchor);
    } else {
        // The line after a final line break, which holds nothing yet.
        cursor.movePosition(QTextCursor::End);
    }
    cursor.insertText(text);
}

void DropLinesBeyond(QPlainTextEdit* memo, int maxLines) {
    for (;;) {
        const QList<DisplayedLine> lines = DisplayedLines(memo);
        if (lines.size() <= maxLines) {
            return;
        }
        const int start = lines[maxLines].start;
        QTextCursor cursor(memo->document());
        cursor.setPosition(start);
        if (lines.size() > maxLines + 1) {
            cursor.setPosition(lines[maxLines + 1].start, QTextCursor::KeepAnchor);
        } else {
            cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        }
        if (!cursor.hasSelection()) {
            return;
        }
        cursor.removeSelectedText();
    }
}

void LimitToFourLines(QPlainTextEdit* memo) {
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo] {
        // The deletion is itself a change; the loop inside finishes the job, so
        // the nested notifications find nothing more to do.
        DropLinesBeyond(memo, kMaxAddressLines);
    });
}

} // namespace vell3
