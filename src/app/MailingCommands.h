#pragma once

namespace vell3 {

class TF_Main;

// Wires the mailing commands: the Print button and File > Print (which prints
// also while the button is disabled after a print), File > Print Bar Codes
// and Report > Clear.
void ConnectMailingCommands(TF_Main& window);

} // namespace vell3
