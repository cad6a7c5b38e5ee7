#include "SettingsKeys.h"

namespace vell3 {

const std::array<SettingKey, kSettingKeyCount>& SettingKeys() {
    using S = AppSettings;
    static const std::array<SettingKey, kSettingKeyCount> keys = {{
        {"Type", "Company", "Type", "Company", "CompanyType", &S::CompanyType, nullptr},
        {"YourAddress", "Line1", "YourAddress", "Line1", "YourLine1", &S::YourLine1, ""},
        {"YourAddress", "Line2", "YourAddress", "Line2", "YourLine2", &S::YourLine2, ""},
        {"YourAddress", "Line3", "YourAddress", "Line3", "YourLine3", &S::YourLine3, ""},
        {"YourAddress", "Line4", "YourAddress", "Line4", "YourLine4", &S::YourLine4, ""},
        {"YourAddress", "City", "YourAddress", "City", "YourCity", &S::YourCity, ""},
        {"YourAddress", "State", "YourAddress", "State", "YourState", &S::YourState, ""},
        {"YourAddress", "Zip", "YourAddress", "Zip", "YourZip", &S::YourZip, ""},
        {"Values", "Postage", "Values", "Postage", "DefaultPostage", &S::DefaultPostage, "0.39"},
        {"Values", "CertFee", "Values", "CertFee", "DefaultCertFee", &S::DefaultCertFee, "2.40"},
        {"Values", "Return", "Values", "Return", "DefaultReturn", &S::DefaultReturn, "1.85"},
        {"Values", "Restricted", "Values", "Restricted", "DefaultRestricted", &S::DefaultRestricted,
         "3.50"},
        {"Values", "PrintBarCode", "Values", "PrintBarCode", "PrintBarCode", &S::PrintBarCode, "1"},
        {"Values", "CustID", "Values", "CustID", "CustID", &S::CustID, "00-000-0000"},
        {"Values", "SerialNum", "Values", "SerialNum", "SerialNum", &S::SerialNum, "00000000"},
        {"Values", "Increment", "Values", "Increment", "Increment", &S::Increment, "1"},
        {"Values", "MailerNum", "Values", "MailerNum", "MailerNum", &S::MailerNum,
         "71000000000000000000"},
        {"Printing", "PrintExtraLabel", "Printing", "PrintExtraLabel", "PrintExtraLabel",
         &S::PrintExtraLabel, "Yes"},
        {"Printing", "ExtraLabel", "Printing", "ExtraLabel", "ExtraLabel", &S::ExtraLabel,
         "Addressed To"},
        {"Print Align", "LeftRight", "Print Align", "LeftRight", "AlignLeftRight",
         &S::AlignLeftRight, "0"},
        {"Print Align", "TopBottom", "Print Align", "TopBottom", "AlignTopBottom",
         &S::AlignTopBottom, "0"},
        {"Type", "BarCodeApp", "type", "BarCodeApp", "BarCodeApp", &S::BarCodeApp, "1"},
        {"System Path", "Default", "System Path", "default", "AddressFolder", &S::AddressFolder,
         nullptr},
    }};
    return keys;
}

} // namespace vell3
