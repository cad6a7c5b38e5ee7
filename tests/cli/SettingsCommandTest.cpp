#include "CliRunner.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <map>

namespace vell3::test {
namespace {

const char* const kDefaultsWithoutFolder = "CompanyType=Ambervale\n"
                                           "YourLine1=\nYourLine2=\nYourLine3=\nYourLine4=\n"
                                           "YourCity=\nYourState=\nYourZip=\n"
                                           "DefaultPostage=0.39\nDefaultCertFee=2.40\n"
                                           "DefaultReturn=1.85\nDefaultRestricted=3.50\n"
                                           "PrintBarCode=1\nCustID=00-000-0000\n"
                                           "SerialNum=00000000\nIncrement=1\n"
                                           "MailerNum=71000000000000000000\n"
                                           "PrintExtraLabel=Yes\nExtraLabel=Addressed To\n"
                                           "AlignLeftRight=0\nAlignTopBottom=0\nBarCodeApp=1\n";

std::map<std::string, std::string> Fields(const std::string& output) {
    std::map<std::string, std::string> fields;
    size_t start = 0;
    while (start < output.size()) {
        const size_t end = output.find('\n', start);
        const std::string line = output.substr(start, end - start);
        const size_t equals = line.find('=');
        fields[line.substr(0, equals)] = line.substr(equals + 1);
        start = end + 1;
    }
    return fields;
}

// A 1 x 1 pixel 24-bit Windows bitmap.
std::string TinyBitmap() {
    const unsigned char bytes[] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0,   54,  0,   0, 0,  40,
                                   0,   0,   0,  1, 0, 0, 0, 1, 0, 0,   0,   1,   0, 24, 0,
                                   0,   0,   0,  0, 4, 0, 0, 0, 0, 0,   0,   0,   0, 0,  0,
                                   0,   0,   0,  0, 0, 0, 0, 0, 0, 255, 255, 255, 0};
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

TEST(SettingsCommand, NoFileGivesEveryDefaultInTableOrder) {
    TempFolder config;
    TempFolder program;
    const CliResult result =
        RunCli({"--program-folder", program.Path(), "settings"}, config.Path());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, std::string(kDefaultsWithoutFolder) + "AddressFolder=" + program.Path() +
                              "Addresses\n");
}

TEST(SettingsCommand, BrandingFollowsTheLogoPicture) {
    struct Case {
        const char* logo; // nullptr: no file
        const char* company;
    };
    const std::string bitmap = TinyBitmap();
    const Case cases[] = {
        {nullptr, "Ambervale"}, {"not a picture", "Ambervale"}, {bitmap.c_str(), "Brisquel"}};
    for (const Case& c : cases) {
        TempFolder config;
        TempFolder program;
        if (c.logo != nullptr) {
            WriteFile(program.File("Scr_logo.bmp"), c.logo == bitmap.c_str() ? bitmap : c.logo);
        }
        const CliResult result =
            RunCli({"--program-folder", program.Path(), "settings"}, config.Path());
        EXPECT_EQ(Fields(result.out)["CompanyType"], c.company);
    }
}

TEST(SettingsCommand, ReadsHandWrittenFileInAnyLetterCase) {
    TempFolder config;
    WriteFile(config.File("vell3.ini"), "; written by hand\r\n"
                                        "[TYPE]\r\nbarcodeapp=0\r\ncompany=Brisquel\r\n"
                                        "[values]\r\npostage=\r\nPRINTBARCODE=2\r\n"
                                        "increment=yes\r\nserialnum=00000041\r\n"
                                        "[print ALIGN]\r\nleftright=0x10\r\ntopbottom=abc\r\n"
                                        "[system path]\r\nDEFAULT=/srv/addresses\r\n");
    const CliResult result = RunCli({"settings"}, config.Path());
    ASSERT_EQ(result.status, 0) << result.err;
    auto fields = Fields(result.out);
    EXPECT_EQ(fields.size(), 23u);
    EXPECT_EQ(fields["BarCodeApp"], "0");
    EXPECT_EQ(fields["CompanyType"], "Brisquel");
    EXPECT_EQ(fields["DefaultPostage"], "");
    EXPECT_EQ(fields["DefaultCertFee"], "2.40");
    EXPECT_EQ(fields["PrintBarCode"], "1");
    EXPECT_EQ(fields["Increment"], "1");
    EXPECT_EQ(fields["SerialNum"], "00000041");
    EXPECT_EQ(fields["AlignLeftRight"], "16");
    EXPECT_EQ(fields["AlignTopBottom"], "0");
    EXPECT_EQ(fields["AddressFolder"], "/srv/addresses");
}

TEST(SettingsCommand, FirstSaveWritesAllKeysInTheirSectionsAndCase) {
    TempFolder config;
    const CliResult result =
        RunCli({"--program-folder", "/opt/vell3/", "settings", "--save"}, config.Path());
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(ReadFile(config.File("vell3.ini")),
              "[Type]\nCompany=Ambervale\nBarCodeApp=1\n\n"
              "[YourAddress]\nLine1=\nLine2=\nLine3=\nLine4=\nCity=\nState=\nZip=\n\n"
              "[Values]\nPostage=0.39\nCertFee=2.40\nReturn=1.85\nRestricted=3.50\n"
              "PrintBarCode=1\nCustID=00-000-0000\nSerialNum=00000000\nIncrement=1\n"
              "MailerNum=71000000000000000000\n\n"
              "[Printing]\nPrintExtraLabel=Yes\nExtraLabel=Addressed To\n\n"
              "[Print Align]\nLeftRight=0\nTopBottom=0\n\n"
              "[System Path]\ndefault=/opt/vell3/Addresses\n");
}

TEST(SettingsCommand, SaveKeepsForeignLinesAndTheWrittenCase) {
    TempFolder config;
    const std::string path = config.File("elsewhere.ini");
    WriteFile(path, "[values]\nserialnum=00000041\nOther=kept\n; note\n[Mine]\nx=1\n");
    const CliResult result = RunCli({"--settings", path, "settings", "--save"}, config.Path());
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string saved = ReadFile(path);
    EXPECT_NE(saved.find("[values]\nserialnum=00000041\nOther=kept\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("; note\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("[Mine]\nx=1\n"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("SerialNum="), std::string::npos) << "key written twice:\n" << saved;
    // Reading the saved file again gives the same fields.
    const CliResult again = RunCli({"--settings", path, "settings"}, config.Path());
    EXPECT_EQ(again.out, result.out);
}

TEST(SettingsCommand, UnwritableFileIsReportedWithExitStatusOne) {
    TempFolder config;
    WriteFile(config.File("plain-file"), "not a folder");
    const CliResult result =
        RunCli({"--settings", config.File("plain-file") + "/vell3.ini", "settings", "--save"},
               config.Path());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Unable to write to vell3.ini\n");
}

TEST(SettingsCommand, UnknownOptionIsAUsageError) {
    TempFolder config;
    EXPECT_EQ(RunCli({"settings", "--bogus"}, config.Path()).status, 2);
}

} // namespace
} // namespace vell3::test
