#include "LogTable.h"

#include "LogFields.h"

#include <filesystem>
#include <system_error>

namespace vell3::log {

using tables::TTzDbf;

void MakeLogFolder(const std::string& logPath) {
    const std::filesystem::path folder = std::filesystem::path(logPath).parent_path();
    if (!folder.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
    }
}

void ConfigureLogTable(TTzDbf& table, const std::string& logPath) {
    table.Close();
    table.SetDbfFileName(logPath);
    table.SetDbfFields(LogFieldDefinitions());
    table.SetCreateIfNotFound(true);
    table.SetHideDeletedRecs(false);
    table.SetTableLanguage(tables::TableLanguage::tlOem);
    table.SetReadOnly(false);
    table.SetExclusive(false);
    table.SetCreateIndex(tables::CreateIndexMode::ciNotFound);
}

void OpenLogForPrinting(const std::string& logPath) {
    MakeLogFolder(logPath);
    TTzDbf table("TzDbfReport");
    ConfigureLogTable(table, logPath);
    table.Open();
    table.Close();
}

bool AppendLogRecord(const std::string& logPath, const LogRecord& record,
                     std::chrono::milliseconds lockWait) {
    MakeLogFolder(logPath);
    TTzDbf table("TzDbfReport");
    ConfigureLogTable(table, logPath);
    table.Open();
    table.ClearRecord();
    table.SetField("sentname0", record.sentname[0]);
    table.SetField("sentname1", record.sentname[1]);
    table.SetField("sentname2", record.sentname[2]);
    table.SetField("sentname3", record.sentname[3]);
    table.SetField("city", record.city);
    table.SetField("state", record.state);
    table.SetField("zip", record.zip);
    table.SetField("mailernum", record.mailernum);
    table.SetField("postage", record.postage);
    table.SetField("certified", record.certified);
    table.SetField("restricted", record.restricted);
    table.SetField("return", record.returnFee);
    table.SetField("total", record.total);
    table.SetField("comments", record.comments);
    table.SetField("re", record.re);
    // The date goes in as the text the user's locale writes, the way every
    // date reaches this table.
    table.SetField("rdate", tables::ShortString(tables::FormatShortDate(record.rdate)));
    bool appended = false;
    {
        const tables::AppendLockHold lock(table, lockWait);
        if (lock.Held()) {
            table.AppendRec();
            appended = true;
        }
    }
    table.Close();
    return appended;
}

std::string LogLockRefusedMessage(const std::string& groupedNumber) {
    return "Mailer " + groupedNumber +
           " was printed but could not be written to the mailing log, because another "
           "program holds the log. Please write it down.";
}

} // namespace vell3::log
