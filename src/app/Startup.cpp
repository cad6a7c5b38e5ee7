#include "Startup.h"

#include "AppPaths.h"
#include "AppSettings.h"
#include "EngineErrorHalt.h"
#include "EngineWarnings.h"
#include "LocaleDates.h"
#include "PrintFonts.h"
#include "Prompts.h"
#include "U_About.h"
#include "U_Main.h"

#include <QApplication>

namespace vell3 {

int RunDesktopProgram(int argc, char** argv) {
    QApplication app(argc, argv);
    // Dates go into the log in the user's short format and must read back as
    // the same day.
    UseLocaleShortDateFormat();
    InstallPrintFontSubstitutions();
    WidgetPrompts prompts;
    AppSettings settings;

    // The splash shows while the main window is built, at least its full time.
    auto* splash = new TF_About(settings, prompts, 1);
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    const ProgramFolders folders = DefaultProgramFolders();
    TF_Main main(settings, prompts,
                 MainSetup{folders.shipped, DefaultSettingsFile(), splash, folders.writable});
    const EngineErrorsHaltTheProgram engineErrors(main);
    const EngineWarningsShowInformation engineWarnings(prompts, &main);
    main.show();
    return QApplication::exec();
}

} // namespace vell3
