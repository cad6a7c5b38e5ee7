#pragma once

namespace vell3 {

class AddressDatabaseMode;
class TF_Main;

// File > Mass Print: after the question with the record count, one mailer
// for every record of the open address database through the Print command's
// path, the record on screen following along, with a progress window whose
// Cancel stops the run between two mailers. An edit in hand is written first.
class MassPrintCommand {
public:
    MassPrintCommand(TF_Main& main, AddressDatabaseMode& mode);
    void Run();

private:
    TF_Main& main_;
    AddressDatabaseMode& mode_;
};

// Wires File > "&Mass Print" to the command.
void ConnectMassPrintCommand(TF_Main& main, AddressDatabaseMode& mode);

} // namespace vell3
