#pragma once

#include <QPrinter>

#include <memory>
#include <string>

namespace vell3::cli {

// The system's default printer (a CUPS queue; CUPS_SERVER chooses the
// scheduler) on US Letter in its high resolution. Throws UserError when there
// is no default printer.
std::unique_ptr<QPrinter> DefaultPrinter(const std::string& documentName);

// A message box's line breaks as a terminal shows them.
std::string ForTerminal(std::string message);

// The exit status of an engine error: its number when it fits, else 255.
int EngineExitStatus(int number);

} // namespace vell3::cli
