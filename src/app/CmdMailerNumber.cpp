#include "CmdMailerNumber.h"

#include "MailerSequence.h"
#include "Prompts.h"
#include "U_Mailer.h"

#include <exception>

namespace vell3 {

void RunMailerNumberCommand(AppSettings& settings, Prompts& prompts, QWidget* parent) {
    const SequenceSnapshot saved = SequenceSnapshot::Of(settings);
    try {
        AdvanceMailerNumber(settings);
    } catch (const std::exception& error) {
        prompts.Error(parent, QString::fromStdString(error.what()));
        return;
    }
    TF_Mailer dialog(settings, prompts, false, parent);
    if (dialog.exec() != QDialog::Accepted) {
        saved.RestoreInto(settings);
        return;
    }
    try {
        StepBackMailerNumber(settings);
    } catch (const std::exception& error) {
        saved.RestoreInto(settings);
        prompts.Error(parent, QString::fromStdString(error.what()));
    }
}

} // namespace vell3
