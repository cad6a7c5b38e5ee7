#include "MailingTestSupport.h"

#include "LogTable.h"
#include "SettingsFile.h"
#include "Text.h"

#include <filesystem>
#include <regex>

namespace vell3::mailing::test {

void MailingTest::SetUp() {
    TableTest::SetUp();
    settings_.ProgramFolder = dir_ + "/";
    settings_.CustID = "12-345-6789";
    settings_.SerialNum = "00000041";
    settings_.ShowMailerBeforePrint = false;
    SaveSettings(settings_, SettingsPath());
}

std::string MailingTest::SavedValue(const std::string& key) const {
    const std::string text = tables::test::ReadFileBytes(SettingsPath());
    std::smatch match;
    const std::regex line("(^|\n)" + key + "=([^\r\n]*)");
    return std::regex_search(text, match, line) ? match[2].str() : std::string("<none>");
}

std::vector<std::string> MailingTest::LoggedField(const std::string& field) const {
    std::vector<std::string> values;
    if (!std::filesystem::exists(LogPath())) {
        return values;
    }
    tables::TTzDbf table("Reader");
    log::ConfigureLogTable(table, LogPath());
    table.Open();
    for (table.First(); !table.Eof(); table.Next()) {
        values.push_back(Trim(table.GetField(field)));
    }
    table.Close();
    return values;
}

} // namespace vell3::mailing::test
