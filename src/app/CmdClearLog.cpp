#include "CmdClearLog.h"

#include "BoxText.h"
#include "EngineError.h"
#include "MailerEntry.h"
#include "Prompts.h"
#include "UserError.h"

#include <QDir>

namespace vell3 {

namespace {

constexpr const char* kSaveDialogTitle = "Save As";
constexpr const char* kSaveDialogFilter = "dBASE tables (*.dbf);;All files (*)";

} // namespace

QString ProposedLogCopyName(const QString& folder) {
    return QDir(folder).filePath(
        QString::fromStdString(log::ProposedSaveFileName(mailing::Today())));
}

log::ClearLogResult RunClearLogCommand(Prompts& prompts, QWidget* parent,
                                       const std::string& logPath, const QString& saveFolder) {
    const auto choose = [&]() {
        log::ClearLogChoice choice;
        switch (prompts.ConfirmYesNoCancel(parent, QString::fromLatin1(log::kSaveLogQuestion))) {
        case Prompts::Answer::Cancel:
            choice.kind = log::ClearLogChoice::Kind::Cancel;
            break;
        case Prompts::Answer::No:
            choice.kind = log::ClearLogChoice::Kind::Discard;
            break;
        case Prompts::Answer::Yes:
            choice.kind = log::ClearLogChoice::Kind::Save;
            choice.target = prompts
                                .SaveFileName(parent, QString::fromLatin1(kSaveDialogTitle),
                                              ProposedLogCopyName(saveFolder),
                                              QString::fromLatin1(kSaveDialogFilter))
                                .toStdString();
            break;
        }
        return choice;
    };
    try {
        const log::ClearLogResult result = log::ClearLog(logPath, choose);
        if (result == log::ClearLogResult::AlreadyEmpty) {
            prompts.Error(parent, QString::fromLatin1(log::kLogAlreadyEmptyMessage));
        }
        return result;
    } catch (const tables::EngineException&) {
        // Already reported by the engine's hook, which ends the program.
    } catch (const UserError& error) {
        prompts.Error(parent, BoxText(error.what()));
    }
    return log::ClearLogResult::Cancelled;
}

} // namespace vell3
