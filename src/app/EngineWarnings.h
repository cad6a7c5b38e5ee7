#pragma once

#include "Warnings.h"

class QWidget;

namespace vell3 {

class Prompts;

// Shows every warning of the table engine ("Lock failed [Post]", "Could not
// create ...", the corrected field definition) in an information box over the
// window; the previous hook comes back when the guard goes.
class EngineWarningsShowInformation {
public:
    EngineWarningsShowInformation(Prompts& prompts, QWidget* parent);
    ~EngineWarningsShowInformation();
    EngineWarningsShowInformation(const EngineWarningsShowInformation&) = delete;
    EngineWarningsShowInformation& operator=(const EngineWarningsShowInformation&) = delete;

private:
    tables::WarningHook previous_;
};

} // namespace vell3
