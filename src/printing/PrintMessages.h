#pragma once

namespace vell3 {

// The print commands' refusal of the all-zero customer ID in barcode mode
// ("\r" is a line break in a message box).
inline constexpr const char* kZeroCustomerIdMessage =
    "You can not print a Mailer with \"00-000-0000\" as a Customer ID.\r\rPlease enter in a "
    "Customer ID, and try again.";
inline constexpr const char* kZeroCustomerIdBarCodesMessage =
    "You can not print a Mailer with \"00-000-0000\" as a Customer ID. (DUNS No.)\r\rPlease "
    "enter in a Customer ID (DUNS No.), and try again.";

// No printer to print on.
inline constexpr const char* kNoDefaultPrinterMessage = "There is no default printer.";

} // namespace vell3
