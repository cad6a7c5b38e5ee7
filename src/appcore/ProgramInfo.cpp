#include "ProgramInfo.h"

#include <iostream>

namespace vell3 {

std::string ProductVersion() {
    return VELL3_VERSION_TEXT;
}

std::string VersionText(std::string_view program) {
    return std::string(program) + " (" + kProductName + ") " + ProductVersion() +
           "\n"
           "Copyright (C) Ambervale Software. All rights reserved.\n";
}

std::optional<int> AnswerInformationOptions(int argc, char** argv, std::string_view program,
                                            std::string_view helpText) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << helpText;
            return 0;
        }
        if (arg == "--version") {
            std::cout << VersionText(program);
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace vell3
