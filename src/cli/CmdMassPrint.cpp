#include "AddressTable.h"
#include "AddressTableCheck.h"
#include "AppPaths.h"
#include "CliPrinting.h"
#include "CliSettings.h"
#include "Commands.h"
#include "DatasetError.h"
#include "EngineError.h"
#include "LogFields.h"
#include "MassPrint.h"
#include "PdfRunPage.h"
#include "Pictures.h"
#include "PrintFonts.h"
#include "PrintJob.h"
#include "PrintOptions.h"
#include "SettingsFile.h"
#include "TTzDbf.h"
#include "UserError.h"

#include "AddressText.h"

#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace vell3::cli {

namespace {

constexpr const char* kUsage =
    "usage: vell3-cli massprint DB [--pdf FILE] [--dpi N] [--re TEXT] [--comment TEXT]\n"
    "                           [--postage TEXT] [--cert-fee TEXT] [--return TEXT]\n"
    "                           [--restricted [TEXT]]\n";

} // namespace

// vell3-cli massprint DB [options]: one mailer for every record of an address
// database, in record order, each logged with the sequence saved before it,
// as the main window's Mass Print does; prints each grouped number as it goes.
int RunMassPrint(CliContext& context) {
    if (context.args.empty() || context.args.front().starts_with("--")) {
        std::cerr << kUsage;
        return kExitUsage;
    }
    const std::string database = context.args.front();
    const auto options = ParsePrintOptions({context.args.begin() + 1, context.args.end()}, false);
    if (!options) {
        std::cerr << kUsage;
        return kExitUsage;
    }
    AppSettings settings;
    std::unique_ptr<mailing::PdfRunPage> pdf;
    try {
        LoadCliSettings(settings, context);
        CreateDataFolders(settings);
        tables::TTzDbf table("TzDbfAddress");
        addresses::ConfigureAddressTable(table);
        // A database that is not there is an error here, not a new one.
        table.SetCreateIfNotFound(false);
        table.SetDbfFileName(database);
        table.Open();
        if (const auto problem = addresses::AddressTableProblem(table)) {
            std::cerr << *problem << '\n';
            return kExitError;
        }

        InstallPrintFontSubstitutions();
        mailing::PrintContext print = TerminalPrintContext(settings, context);
        const mailing::MailerEntry fees = EntryOf(*options, settings);
        addresses::MassPrintSteps steps;
        steps.entry = [&] { return addresses::EntryOfRecord(table, fees); };

        addresses::MassPrintResult result;
        if (options->pdf) {
            pdf = std::make_unique<mailing::PdfRunPage>(QString::fromStdString(*options->pdf),
                                                        options->dpi);
            result = addresses::RunMassPrint(table, print, *pdf, steps);
            // The mailers printed go into the file, also when the run stopped.
            pdf->Finish();
        } else {
            DefaultPrinterPage page("Certified mailer");
            result = addresses::RunMassPrint(table, print, page, steps);
        }
        table.Close();
        return result.end == addresses::MassPrintEnd::Finished && result.notLogged == 0
                   ? kExitOk
                   : kExitError;
    } catch (const tables::EngineException& error) {
        if (pdf) {
            try {
                pdf->Finish();
            } catch (const UserError&) {
                // The engine's error is the one to tell.
            }
        }
        std::cout.flush();
        std::cerr << error.Error().FullText() << '\n';
        return error.Error().ExitStatus();
    } catch (const tables::DatasetError& error) {
        std::cerr << error.what() << '\n';
        return kExitError;
    } catch (const UserError& error) {
        std::cerr << ForTerminal(error.what()) << '\n';
        return kExitError;
    }
}

} // namespace vell3::cli
