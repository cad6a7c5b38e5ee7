#include "FileFilter.h"

#include <QFileInfo>
#include <QStringList>

namespace vell3 {

QString QtFileFilter(const QString& windowsFilter) {
    const QStringList parts = windowsFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            if (pattern == QStringLiteral("*.*")) {
                pattern = QStringLiteral("*");
            }
        }
        const QString joined = patterns.join(QLatin1Char(' '));
        QString description = parts[i];
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0 && description.endsWith(QLatin1Char(')'))) {
            description = description.left(open + 1) + joined + QLatin1Char(')');
        } else {
            description += QStringLiteral(" (") + joined + QLatin1Char(')');
        }
        filters.append(description);
    }
    return filters.join(QStringLiteral(";;"));
}

QString WithDefaultExtension(const QString& path, const QString& extension) {
    if (path.isEmpty() || QFileInfo(path).fileName().contains(QLatin1Char('.'))) {
        return path;
    }
    return path + QLatin1Char('.') + extension;
}

} // namespace vell3
