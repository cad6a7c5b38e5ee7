#pragma once

namespace vell3 {

// The whole desktop program: splash, main window, message loop.
int RunDesktopProgram(int argc, char** argv);

} // namespace vell3
