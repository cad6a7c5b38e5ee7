#pragma once

#include "EngineError.h"

namespace vell3 {

class TF_Main;

// Sends every engine error of the run to the main window, which saves the
// settings, shows "Program halted." and ends the process; the previous hook
// comes back when the guard goes.
class EngineErrorsHaltTheProgram {
public:
    explicit EngineErrorsHaltTheProgram(TF_Main& main);
    ~EngineErrorsHaltTheProgram();
    EngineErrorsHaltTheProgram(const EngineErrorsHaltTheProgram&) = delete;
    EngineErrorsHaltTheProgram& operator=(const EngineErrorsHaltTheProgram&) = delete;

private:
    tables::EngineErrorHook previous_;
};

} // namespace vell3
