#include "CliPrinting.h"
#include "Commands.h"
#include "EngineError.h"
#include "FeeEntry.h"
#include "IntegerText.h"
#include "LogFields.h"
#include "MailerEntry.h"
#include "Pictures.h"
#include "PrintFonts.h"
#include "PrintJob.h"
#include "PrintOptions.h"
#include "QPainterPage.h"
#include "SettingsFile.h"
#include "UserError.h"
#include "Zip.h"

#include "AddressText.h"

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
    settings.ProgramFolder = context.programFolder;
    try {
        LoadSettings(settings, context.settingsFile, PictureLoads);
        InstallPrintFontSubstitutions();
        mailing::PrintContext print{settings,
                                    context.settingsFile,
                                    log::LogFilePath(context.programFolder),
                                    SenderLines(settings),
                                    {},
                                    {},
                                    log::kAppendLockWait};
        // No Mailer Number dialog here: the number shown would be confirmed.
        print.callbacks.error = [](const std::string& message) {
            std::cerr << ForTerminal(message) << '\n';
        };
        // The number goes out as soon as it is on paper, whatever follows.
        print.callbacks.printed = [](const std::string& grouped) {
            std::cout << grouped << std::endl;
        };
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
    } catch (const tables::EngineException& error) {
        std::cout.flush();
        std::cerr << error.Error().FullText() << '\n';
        return EngineExitStatus(error.Error().number);
    } catch (const UserError& error) {
        std::cerr << ForTerminal(error.what()) << '\n';
        return kExitError;
    }
}

} // namespace vell3::cli
