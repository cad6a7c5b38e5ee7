#include "CmdPrint.h"

#include "BoxText.h"
#include "EngineError.h"
#include "Prompts.h"
#include "U_Mailer.h"
#include "WaitCursor.h"

#include <QDialog>

#include <exception>
#include <optional>
#include <vector>

namespace vell3 {

mailing::PrintResult RunPrintCommandOfWindow(AppSettings& settings, Prompts& prompts,
                                             QWidget* parent, const PrintFiles& files,
                                             const mailing::MailerEntry& entry,
                                             const std::array<std::string, 5>& senderLines,
                                             PrintPage& page,
                                             const std::function<void()>& markPrinted) {
    // The hourglass stands from the moment the print is settled; no dialog or
    // box shows under it.
    std::optional<WaitCursor> hourglass;
    std::vector<std::string> messages;
    mailing::JobCallbacks callbacks;
    callbacks.confirmMailerNumber = [&](AppSettings& confirmed) {
        TF_Mailer dialog(confirmed, prompts, true, parent);
        const bool ok = dialog.exec() == QDialog::Accepted;
        if (ok) {
            hourglass.emplace();
        }
        return ok;
    };
    callbacks.error = [&messages](const std::string& message) { messages.push_back(message); };
    callbacks.printed = [&markPrinted](const std::string&) { markPrinted(); };
    if (!settings.ShowMailerBeforePrint) {
        hourglass.emplace();
    }

    mailing::PrintContext context{settings,    files.settingsFile,   files.logPath,
                                  senderLines, std::move(callbacks), {}};
    mailing::PrintResult result;
    result.outcome = mailing::PrintOutcome::Failed;
    try {
        result = mailing::RunPrintCommand(context, entry, page);
    } catch (const tables::EngineException&) {
        // Already reported by the engine's hook, which ends the program.
    } catch (const std::exception& error) {
        messages.emplace_back(error.what());
    }
    hourglass.reset();
    for (const std::string& message : messages) {
        prompts.Error(parent, BoxText(message));
    }
    return result;
}

} // namespace vell3
