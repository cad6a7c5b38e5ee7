#pragma once

#include <stdexcept>
#include <string>

namespace vell3::tables {

// The ordinary exceptions of the table component that reach the caller:
// "Missing DbfFilename property", "Field '<name>' not found", "'<text>' is not
// a valid date", writing a field outside edit or insert state.
class DatasetError : public std::runtime_error {
public:
    explicit DatasetError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace vell3::tables
