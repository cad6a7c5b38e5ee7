#include "AddressTable.h"

#include "TTzDbf.h"

namespace vell3::addresses {

const std::vector<std::string>& AddressDatabaseFieldDefinitions() {
    static const std::vector<std::string> definitions{"address,M,10,0", "city,C,35,0",
                                                      "state,C,2,0", "zip,C,10,0"};
    return definitions;
}

const std::vector<std::string>& ImportedDatabaseFieldDefinitions() {
    static const std::vector<std::string> definitions{"Address,M,10,0", "City,C,20,0",
                                                      "State,C,4,0", "Zip,C,10,0"};
    return definitions;
}

void ConfigureAddressTable(tables::TTzDbf& table) {
    table.SetDbfFields(AddressDatabaseFieldDefinitions());
    table.SetCreateIfNotFound(true);
    table.SetHideDeletedRecs(false);
    table.SetTableLanguage(tables::TableLanguage::tlOem);
    table.SetReadOnly(false);
    table.SetExclusive(false);
    table.SetCreateIndex(tables::CreateIndexMode::ciNotFound);
}

} // namespace vell3::addresses
