#pragma once

#include "LogRecord.h"
#include "TTzDbf.h"

#include <chrono>
#include <string>

namespace vell3::log {

// How long an append waits for the log's append lock while another program
// holds it.
inline constexpr std::chrono::milliseconds kAppendLockWait{5000};

// Makes the log's folder when it is missing, as start-up does; a folder that
// cannot be made shows up as the engine's error when the table is created.
void MakeLogFolder(const std::string& logPath);

// The settings of the log's table component: the file, the field definitions
// it is created from, shared, OEM text, deleted rows shown, production index
// only when none exists. The table is left closed.
void ConfigureLogTable(tables::TTzDbf& table, const std::string& logPath);

// Opens the log (creating it and its folder when missing) and closes it
// again, so that a log that cannot take a row stops a print before anything
// goes on paper. Engine errors are reported and thrown as the engine does.
void OpenLogForPrinting(const std::string& logPath);

// Appends one row under the append lock, waiting up to `lockWait` for it.
// Returns false when the lock stayed refused (nothing is appended); engine
// errors are reported and thrown as the engine does. The table is closed
// however the append ends.
bool AppendLogRecord(const std::string& logPath, const LogRecord& record,
                     std::chrono::milliseconds lockWait = kAppendLockWait);

// The message for a printed mailer whose row could not be appended.
std::string LogLockRefusedMessage(const std::string& groupedNumber);

} // namespace vell3::log
