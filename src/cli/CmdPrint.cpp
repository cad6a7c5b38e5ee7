#include "AppPaths.h"
#include "CliFailures.h"
#include "CliPrinting.h"
#include "CliSettings.h"
#include "Commands.h"
#include "EngineError.h"
#include "FeeEntry.h"
#include "IntegerText.h"
#include "MailerEntry.h"
#include "Pictures.h"
#include "PrintFonts.h"
#include "PrintJob.h"
#include "PrintOptions.h"
#include "QPainterPage.h"
#include "SettingsFile.h"
#include "UserError.h"
#include "Zip.h"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace vell3::cli {

// vell3-cli print [options]: prints one mailer with the next number of the
// sequence and logs it, as the main window's Print command does.
int RunPrint(CliContext& context) {
    const auto options = ParsePrintOptions(context.args, true);
    if (!options) {
        std::cerr << kPrintUsage;
        return kExitUsage;
    }
    AppSettings settings;
    try {
        LoadCliSettings(settings, context);
        CreateDataFolders(settings);
        InstallPrintFontSubstitutions();
        mailing::PrintContext print = TerminalPrintContext(settings, context);
        const mailing::MailerEntry entry = EntryOf(*options, settings);
        mailing::PrintResult result;
        if (options->pdf) {
            PdfFilePage page(QString::fromStdString(*options->pdf), options->dpi);
            result = mailing::RunPrintCommand(print, entry, page);
        } else {
            DefaultPrinterPage page("Certified mailer");
            result = mailing::RunPrintCommand(print, entry, page);
        }
        return result.outcome == mailing::PrintOutcome::Printed ? kExitOk : kExitError;
    } catch (...) {
        return ReportCaughtFailure();
    }
}

} // namespace vell3::cli
