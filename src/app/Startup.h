#pragma once

namespace vell3 {

// The families the printed form asks for, mapped to the Debian fonts that stand
// in for them.
void InstallFontSubstitutes();

// The whole desktop program: splash, main window, message loop.
int RunDesktopProgram(int argc, char** argv);

} // namespace vell3
