#include "PrintFonts.h"

#include <QFont>
#include <QString>

namespace vell3 {

void InstallPrintFontSubstitutions() {
    QFont::insertSubstitution(QStringLiteral("OCR A Extended"), QStringLiteral("OCRA"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

} // namespace vell3
