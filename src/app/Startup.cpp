#include "Startup.h"

#include "AppPaths.h"
#include "AppSettings.h"
#include "Prompts.h"
#include "U_About.h"
#include "U_Main.h"

#include <QApplication>
#include <QFont>

namespace vell3 {

void InstallFontSubstitutes() {
    QFont::insertSubstitution(QStringLiteral("OCR A Extended"), QStringLiteral("OCRA"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

int RunDesktopProgram(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallFontSubstitutes();
    WidgetPrompts prompts;
    AppSettings settings;

    // The splash shows while the main window is built, at least its full time.
    auto* splash = new TF_About(settings, prompts, 1);
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    TF_Main main(settings, prompts, MainSetup{ExecutableFolder(), DefaultSettingsFile(), splash});
    main.show();
    return QApplication::exec();
}

} // namespace vell3
