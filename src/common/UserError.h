#pragma once

#include <stdexcept>
#include <string>

namespace vell3 {

// An error that ends the command that raised it and is shown to the user with
// exactly this text (an "Error" box in the desktop program, standard error in
// the headless tool). The program keeps running.
class UserError : public std::runtime_error {
public:
    explicit UserError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace vell3
