#include "EngineErrorHalt.h"

#include "U_Main.h"

#include <utility>

namespace vell3 {

EngineErrorsHaltTheProgram::EngineErrorsHaltTheProgram(TF_Main& main)
    : previous_(tables::SetEngineErrorHook([&main](const tables::EngineError& error) {
          main.HaltOnEngineError(error.number, QString::fromStdString(error.FullText()));
      })) {}

EngineErrorsHaltTheProgram::~EngineErrorsHaltTheProgram() {
    tables::SetEngineErrorHook(std::move(previous_));
}

} // namespace vell3
