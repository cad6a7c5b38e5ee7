#pragma once

#include <QString>

#include <string>

namespace vell3 {

// A message of the cores for a message box: their "\r" line breaks (alone or
// before "\n") become the box's line breaks.
inline QString BoxText(const std::string& message) {
    QString text = QString::fromStdString(message);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace vell3
