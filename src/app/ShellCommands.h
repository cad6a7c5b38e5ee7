#pragma once

namespace vell3 {

class TF_Main;

// Wires the menu items of the shell and its option dialogs: Exit, Mailer
// Number, sender, printer setup, alignment, extra label, the bar-code mode,
// Save Values, Track Item, help, registration form and the About box.
void ConnectShellCommands(TF_Main& window);

} // namespace vell3
