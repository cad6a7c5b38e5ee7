#include "CmdPrintBarCodes.h"

#include "BoxText.h"
#include "MailerSequence.h"
#include "Prompts.h"
#include "U_PrintBarCode.h"
#include "WaitCursor.h"

#include <exception>
#include <optional>
#include <vector>

namespace vell3 {

mailing::BarCodeRunResult RunPrintBarCodesCommand(AppSettings& settings, Prompts& prompts,
                                                  QWidget* parent, const std::string& settingsFile,
                                                  const mailing::LabelPageFactory& newPage) {
    if (!prompts.ConfirmYesNo(parent, QString::fromLatin1(kPrintBarCodesQuestion))) {
        return {};
    }
    const SequenceSnapshot saved = SequenceSnapshot::Of(settings);
    try {
        AdvanceMailerNumber(settings);
    } catch (const std::exception& error) {
        prompts.Error(parent, BoxText(error.what()));
        return {};
    }
    TF_PrintBarCode dialog(settings, prompts, parent);
    if (dialog.exec() != QDialog::Accepted) {
        saved.RestoreInto(settings);
        return {};
    }

    std::vector<std::string> messages;
    mailing::JobCallbacks callbacks;
    callbacks.error = [&messages](const std::string& message) { messages.push_back(message); };
    mailing::BarCodeRunResult result;
    {
        const WaitCursor hourglass;
        try {
            result = mailing::RunPrintBarCodes(settings, saved, dialog.CountText().toStdString(),
                                               settingsFile, newPage, callbacks);
        } catch (const std::exception& error) {
            messages.emplace_back(error.what());
            result.stopped = true;
        }
    }
    for (const std::string& message : messages) {
        prompts.Error(parent, BoxText(message));
    }
    return result;
}

} // namespace vell3
