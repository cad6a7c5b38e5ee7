#include "ProgramInfo.h"
#include "Startup.h"

namespace {

constexpr const char* kHelpText =
    "Usage: vell3 [OPTION]...\n"
    "Prepare USPS certified mailers one at a time, print them onto pre-printed\n"
    "certified-mail forms, keep every printed mailer in a mailing log with its\n"
    "reports, and keep recipients in address databases.\n"
    "\n"
    "  -h, --help     display this help and exit\n"
    "      --version  output version information and exit\n"
    "\n"
    "Qt's own options (-platform, -style, ...) are accepted as well.\n"
    "\n"
    "The settings live in $XDG_CONFIG_HOME/vell3.ini (~/.config/vell3.ini). The\n"
    "mailing log (Reports/report3.dbf) and the Addresses folder live in\n"
    "$XDG_DATA_HOME/vell3 (~/.local/share/vell3), or in the folder that the key\n"
    "DataFolder of section [System Path] of the settings file names, so that\n"
    "several desks share one mailing log on a network drive.\n";

} // namespace

int main(int argc, char** argv) {
    if (const auto status = vell3::AnswerInformationOptions(argc, argv, "vell3", kHelpText)) {
        return *status;
    }
    return vell3::RunDesktopProgram(argc, argv);
}
