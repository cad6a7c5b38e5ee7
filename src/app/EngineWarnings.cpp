#include "EngineWarnings.h"

#include "Prompts.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <utility>

namespace vell3 {

EngineWarningsShowInformation::EngineWarningsShowInformation(Prompts& prompts, QWidget* parent)
    : previous_(tables::SetWarningHook(
          [&prompts, window = QPointer<QWidget>(parent)](const std::string& message) {
              prompts.Information(window.data(), QString::fromStdString(message));
          })) {}

EngineWarningsShowInformation::~EngineWarningsShowInformation() {
    tables::SetWarningHook(std::move(previous_));
}

} // namespace vell3
