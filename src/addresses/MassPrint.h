#pragma once

#include "AppSettings.h"

#include <cstdint>
#include <functional>
#include <string>

namespace vell3::tables {
class TTzDbf;
}

namespace vell3::addresses {

// The question that opens a Mass Print run; the count includes the records
// marked deleted, which are printed like the others.
std::string MassPrintQuestion(std::uint32_t recordCount);

// The refusal of the all-zero customer ID in barcode mode during a run.
inline constexpr const char* kMassPrintZeroCustomerIdMessage =
    "You can not print a Mailer with \"00-000-0000\" as a Customer ID. (DUNS No.)\r\n"
    "Please enter in a Customer ID (DUNS No.), and try again.";

// What a run asks of its caller, so that the window and vell3-cli run the same
// loop: the window asks through its dialogs and prints the record on screen,
// the headless tool prints the record it reads.
struct MassPrintSteps {
    // The Mailer Number dialog for the number about to be used (with its "Do
    // not show this screen again" box); true when closed with OK. Asked only
    // while ShowMailerBeforePrint is on.
    std::function<bool()> confirmNumber;
    // Shows a refusal (the all-zero customer ID).
    std::function<void(const std::string& message)> refuse;
    // Keeps the stepped sequence before its number goes on paper, so that a
    // crash in the middle of a run never hands a printed number out again.
    std::function<void()> saveSequence;
    // Prints and logs the mailer for the table's current record; an error
    // goes up as an exception and ends the run.
    std::function<void()> printCurrent;
    // The table moved: its current record number and record count.
    std::function<void(std::uint32_t recNo, std::uint32_t recordCount)> position;
    // Asked before each mailer with its 1-based number and the run's total;
    // false stops the run there (the progress window's Cancel).
    std::function<bool(std::uint32_t mailer, std::uint32_t total)> keepGoing;
};

enum class MassPrintEnd {
    Finished,       // every record printed
    NotConfirmed,   // the Mailer Number dialog was not closed with OK
    ZeroCustomerId, // barcode mode without a customer ID
    Cancelled,      // stopped between two mailers
};

struct MassPrintResult {
    MassPrintEnd end = MassPrintEnd::Finished;
    std::uint32_t printed = 0;
};

// Prints and logs one mailer for every record of an open address table, in
// record order, deleted records included. The number of a mailer that is not
// printed because the run stops before it is put back; the mailers printed
// stay printed and logged. An error while printing ends the run at that
// record with its number used.
MassPrintResult RunMassPrint(tables::TTzDbf& table, AppSettings& settings,
                             const MassPrintSteps& steps);

} // namespace vell3::addresses
