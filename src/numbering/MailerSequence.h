#pragma once

#include <string>
#include <string_view>

#include "AppSettings.h"

namespace vell3 {

// Steps an eight-digit serial by +1 or -1. Counting up runs 99999999, 00000001
// (00000000 is skipped); counting down runs 00000001, 00000000, 99999999.
// A serial that is not a number fails with "'<text>' is not a valid integer value".
std::string StepSerial(std::string_view serial, int step);

// Steps the stored sequence one mailer forward: SerialNum in barcode mode, the
// counter in characters 12-19 of MailerNum in pre-printed mode (up or down as
// Increment says, with a fresh check digit). Nothing changes when it fails.
void AdvanceMailerNumber(AppSettings& settings);

// The mirror image of AdvanceMailerNumber, used after the Mailer Number dialog
// was confirmed so that the stored value is again the last one printed.
void StepBackMailerNumber(AppSettings& settings);

// The three values every command that steps the sequence saves first and puts
// back when the user cancels.
struct SequenceSnapshot {
    std::string SerialNum;
    std::string CustID;
    std::string MailerNum;

    static SequenceSnapshot Of(const AppSettings& settings);
    void RestoreInto(AppSettings& settings) const;
};

} // namespace vell3
