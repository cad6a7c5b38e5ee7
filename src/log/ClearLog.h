#pragma once

#include "DbfDate.h"

#include <functional>
#include <string>

namespace vell3::log {

inline constexpr const char* kLogAlreadyEmptyMessage = "Report is already empty.";
inline constexpr const char* kSaveLogQuestion = "Do you wish to save the data in the report?";

// What the user chose before the log is emptied.
struct ClearLogChoice {
    enum class Kind { Cancel, Discard, Save };
    Kind kind = Kind::Cancel;
    // For Save: the file to save into; empty when the save dialog was
    // cancelled (the clearing goes on without saving).
    std::string target;
};

enum class ClearLogResult { AlreadyEmpty, Cancelled, Cleared };

// Empties the log. `choose` is asked once the log is known to hold rows (the
// log stays open meanwhile). Then the log is reopened exclusively, so that no
// row comes in between the save and the emptying. A save into an existing
// table appends the log's rows after its own under its append lock; a save
// into a new file writes an exact copy of the log file, whole or not at all.
// A save that fails throws UserError with the reason and leaves the log as it
// was; the log itself as the target is refused the same way. Then every row
// is deleted and the table packed.
ClearLogResult ClearLog(const std::string& logPath, const std::function<ClearLogChoice()>& choose);

// The save step alone (the same rules): throws UserError on failure.
void SaveLogInto(const std::string& logPath, const std::string& target);

// The file name the save dialog proposes: the day in the short date format
// with every "/" removed, then ".dbf".
std::string ProposedSaveFileName(const tables::DbfDate& day);

// The message for the log chosen as its own save target.
std::string LogSavedIntoItselfMessage(const std::string& logPath);

} // namespace vell3::log
