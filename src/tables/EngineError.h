#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace vell3::tables {

// An engine error as a value: its number, the engine's description of that
// number and a detail text that names the file and ends with the routine in
// square brackets.
struct EngineError {
    int number = 0;
    std::string detail;

    std::string Description() const;
    // "Error # <n> (<description>)" CR LF "<detail>", the text the user sees.
    std::string FullText() const;
    // The status a program ends with for this error: its number when it fits
    // the 8 bits of a process status (1..255), else 255.
    int ExitStatus() const { return number >= 1 && number <= 255 ? number : 255; }
};

// The description the engine gives an error number ("Undefined error" for
// numbers it does not know).
std::string ErrorDescription(int number);

// The exception that carries an engine error out of the operation that failed,
// after the error has been reported (unless reporting was switched off).
class EngineException : public std::runtime_error {
public:
    explicit EngineException(EngineError error);
    const EngineError& Error() const { return error_; }

private:
    EngineError error_;
};

// The one reporting hook. The desktop program installs one that shows
// "Program halted." and ends; tests install a recorder. Returns the previous
// hook. An empty hook reports nothing.
using EngineErrorHook = std::function<void(const EngineError&)>;
EngineErrorHook SetEngineErrorHook(EngineErrorHook hook);

// Switches reporting off for as long as the guard lives; the error still
// travels as an EngineException, and the code that switched reporting off
// tests its number itself.
class ReportingOff {
public:
    ReportingOff();
    ~ReportingOff();
    ReportingOff(const ReportingOff&) = delete;
    ReportingOff& operator=(const ReportingOff&) = delete;
};

bool ReportingIsOn();

// Reports the error (unless switched off) and throws it.
[[noreturn]] void RaiseEngineError(int number, std::string detail);

// The engine's number for a failed system call (errno), as the messages show
// it: 2 "File not found", 5 "File access denied", 32 "File sharing violation"...
int SystemErrorNumber(int errnoValue);

} // namespace vell3::tables
