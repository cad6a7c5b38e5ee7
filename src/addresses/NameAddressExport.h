#pragma once

#include "TextFileProgress.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vell3::tables {
class TTzDbf;
}

namespace vell3::addresses {

// The text file name the export proposes for a database: its name without
// the folder, with the first ".dbf" (else the first ".DBF") and the one
// character after it cut out, then ".txt" added ("list.dbf" gives
// "list.txt"; a name with neither keeps it whole: "list.Dbf.txt").
std::string ProposedTextFileName(const std::string& dbfFile);

struct ExportResult {
    uint64_t written = 0; // none when cancelled: no file is written then
    bool cancelled = false;
};

// One export of an address database into a name-and-address text file,
// through a table object of its own (never the main window's table).
class NameAddressExport {
public:
    // Opens the database; one that does not exist is a UserError saying so,
    // and nothing is created.
    explicit NameAddressExport(const std::string& dbfFile);
    ~NameAddressExport();
    NameAddressExport(const NameAddressExport&) = delete;
    NameAddressExport& operator=(const NameAddressExport&) = delete;

    uint64_t RecordCount();

    // Writes one line per record, in record order, records marked deleted
    // included, as UTF-8 with CR LF line ends. The file appears whole or not
    // at all: it is written beside its target and renamed into place, so a
    // failed or cancelled export leaves an existing file as it was.
    ExportResult WriteTo(const std::string& textFile, const ProgressCallback& progress = {});

private:
    std::unique_ptr<tables::TTzDbf> table_;
};

} // namespace vell3::addresses
