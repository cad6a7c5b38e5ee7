#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vell3 {

// The run-time settings: one record for the whole process. The fields from
// CompanyType to AddressFolder are kept in the settings file.
struct AppSettings {
    // The folder of the shipped files (help, pictures, report definitions), with
    // a trailing "/"; not saved.
    std::string ProgramFolder;
    // The user's own writable folder that holds "Reports/" and "Addresses/",
    // with a trailing "/"; empty means ProgramFolder. Not saved.
    std::string LocalDataFolder;
    // The optional key DataFolder of section "System Path": a writable folder
    // that several desks share (it replaces LocalDataFolder). Saved only when
    // the file held it, so a file without it keeps its 23 keys.
    std::optional<std::string> DataFolder;

    std::string CompanyType; // "Ambervale" (the maker) or "Brisquel" (a reseller)
    std::string YourLine1;
    std::string YourLine2;
    std::string YourLine3;
    std::string YourLine4;
    std::string YourCity;
    std::string YourState;
    std::string YourZip;
    std::string DefaultPostage = "0.39";
    std::string DefaultCertFee = "2.40";
    std::string DefaultReturn = "1.85";
    std::string DefaultRestricted = "3.50";
    bool PrintBarCode = true;
    std::string CustID = "00-000-0000";
    std::string SerialNum = "00000000";
    bool Increment = true;
    std::string MailerNum = "71000000000000000000";
    std::string PrintExtraLabel = "Yes";
    std::string ExtraLabel = "Addressed To";
    std::int32_t AlignLeftRight = 0;
    std::int32_t AlignTopBottom = 0;
    bool BarCodeApp = true;
    std::string AddressFolder;

    bool ShowMailerBeforePrint = true;  // not saved
    std::int32_t BarCodeLabelCount = 0; // not saved
};

// The customer ID that means "not set"; the print commands refuse it in
// barcode mode.
inline constexpr const char* kUnsetCustomerId = "00-000-0000";

// The folder that holds "Reports/" and "Addresses/", with a trailing "/": the
// shared DataFolder when one is set, else the user's own data folder.
std::string WritableFolder(const AppSettings& settings);

} // namespace vell3
