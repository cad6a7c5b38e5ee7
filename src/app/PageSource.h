#pragma once

#include "PrintPage.h"

#include <functional>
#include <memory>

namespace vell3 {

// Makes the page one print document is drawn on: a page on the run's printer
// in the program, a recorder or a PDF file in tests.
using PageSource = std::function<std::unique_ptr<PrintPage>()>;

} // namespace vell3
