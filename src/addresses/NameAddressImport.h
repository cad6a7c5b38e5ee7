#pragma once

#include "AppendLockWait.h"
#include "TextFileProgress.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace vell3::addresses {

// The database name the import proposes for a text file: its name without
// the folder, cut after its first ".", with "dbf" added ("list.csv" gives
// "list.dbf"; a name without "." gives "dbf").
std::string ProposedDatabaseName(const std::string& textFile);

// Whether the table file an address database name stands for exists (".DBF"
// is added to a name without extension, as the engine adds it).
bool DatabaseExists(const std::string& dbfFile);

// What the import does with the database it is given.
enum class ImportTarget {
    Create,    // the file does not exist: created with the import's field list
    Overwrite, // the table file is deleted and created anew
    Append,    // the records are added to the table as it is
};

struct ImportResult {
    uint64_t appended = 0;
    bool cancelled = false;
};

// One import of a name-and-address text file: the file is read whole when
// the object is made, then appended, one record a line, to an address
// database through a table object of its own.
class NameAddressImport {
public:
    // Reads the text file; one that cannot be read is a UserError naming it.
    explicit NameAddressImport(const std::string& textFile);

    uint64_t LineCount() const { return lineCount_; }

    // Appends a record for every line. The append lock is waited for up to
    // lockWait while another program holds it; then the run stops with a
    // UserError and the records appended before stay. A cancel from the
    // progress callback stops after the record in hand and keeps what was
    // appended. Errors of the table engine travel as they do everywhere.
    ImportResult Into(const std::string& dbfFile, ImportTarget target,
                      const ProgressCallback& progress = {},
                      std::chrono::milliseconds lockWait = kAppendLockWait) const;

private:
    std::string text_;
    uint64_t lineCount_ = 0;
};

} // namespace vell3::addresses
