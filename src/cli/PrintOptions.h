#pragma once

#include "AppSettings.h"
#include "FeeEntry.h"
#include "MailerEntry.h"
#include "Zip.h"

#include <optional>
#include <string>
#include <vector>

namespace vell3::cli {

inline constexpr const char* kPrintUsage =
    "usage: vell3-cli print [--pdf FILE] [--dpi N] [--line TEXT]... [--city TEXT] [--state TEXT]\n"
    "                       [--zip TEXT] [--re TEXT] [--comment TEXT] [--postage TEXT]\n"
    "                       [--cert-fee TEXT] [--return TEXT] [--restricted [TEXT]]\n";

// The options of the commands that print mailers: where to (the default
// printer, or a PDF at a resolution), the recipient (print only) and what the
// main window's other entry fields would hold.
struct PrintOptions {
    std::optional<std::string> pdf;
    int dpi = 600;
    std::vector<std::string> lines;
    std::string city;
    std::string state;
    std::string zip = kEmptyZipText;
    std::string re;
    std::string comment;
    mailing::TypedFees fees;
};

// Nothing for a bad option or value. `recipientOptions`: --line, --city,
// --state and --zip are accepted.
std::optional<PrintOptions> ParsePrintOptions(const std::vector<std::string>& args,
                                              bool recipientOptions);

// The entry as the main window would show it after the same typing: each
// field holds what it admits, the fee fields their money texts.
mailing::MailerEntry EntryOf(const PrintOptions& options, const AppSettings& settings);

} // namespace vell3::cli
