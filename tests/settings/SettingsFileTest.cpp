#include "SettingsFile.h"
#include "SettingsKeys.h"
#include "TempFolder.h"
#include "UserError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vell3 {
namespace {

const PictureCheck kNoPicture = [](const std::string&) { return false; };

AppSettings Load(const std::string& content, const std::string& programFolder = "/opt/vell3/") {
    AppSettings settings;
    settings.ProgramFolder = programFolder;
    LoadSettings(settings, ProfileFile::Parse(content), kNoPicture);
    return settings;
}

TEST(LoadSettings, MissingFileGivesEveryDefault) {
    const AppSettings s = Load("");
    EXPECT_EQ(s.CompanyType, "Ambervale");
    EXPECT_EQ(s.YourLine1, "");
    EXPECT_EQ(s.DefaultPostage, "0.39");
    EXPECT_EQ(s.DefaultCertFee, "2.40");
    EXPECT_EQ(s.DefaultReturn, "1.85");
    EXPECT_EQ(s.DefaultRestricted, "3.50");
    EXPECT_TRUE(s.PrintBarCode);
    EXPECT_EQ(s.CustID, "00-000-0000");
    EXPECT_EQ(s.SerialNum, "00000000");
    EXPECT_TRUE(s.Increment);
    EXPECT_EQ(s.MailerNum, "71000000000000000000");
    EXPECT_EQ(s.PrintExtraLabel, "Yes");
    EXPECT_EQ(s.ExtraLabel, "Addressed To");
    EXPECT_EQ(s.AlignLeftRight, 0);
    EXPECT_EQ(s.AlignTopBottom, 0);
    EXPECT_TRUE(s.BarCodeApp);
    EXPECT_EQ(s.AddressFolder, "/opt/vell3/Addresses");
}

TEST(LoadSettings, ValueFormsFollowTheReadingRules) {
    const struct {
        const char* content;
        std::int32_t leftRight;
        bool printBarCode;
        bool barCodeApp;
    } cases[] = {
        {"[Print Align]\nLeftRight=0x10\n", 16, true, true},
        {"[Print Align]\nLeftRight=abc\n", 0, true, true},
        {"[Print Align]\nLeftRight=-12\n", -12, true, true},
        {"[Print Align]\nLeftRight=$1F\n", 31, true, true},
        {"[Print Align]\nLeftRight=99999999999\n", 0, true, true},
        {"[Values]\nPrintBarCode=yes\n", 0, true, true},
        {"[Values]\nPrintBarCode=2\n", 0, true, true},
        {"[Values]\nPrintBarCode=0\n", 0, false, true},
        {"[Values]\nPrintBarCode=\n", 0, true, true},
        {"[type]\nbarcodeapp=0\n", 0, true, false},
        {"[TYPE]\nBARCODEAPP=0x0\n", 0, true, false},
    };
    for (const auto& c : cases) {
        const AppSettings s = Load(c.content);
        EXPECT_EQ(s.AlignLeftRight, c.leftRight) << c.content;
        EXPECT_EQ(s.PrintBarCode, c.printBarCode) << c.content;
        EXPECT_EQ(s.BarCodeApp, c.barCodeApp) << c.content;
    }
}

TEST(LoadSettings, EmptyTextValueIsEmptyNotTheDefault) {
    EXPECT_EQ(Load("[Values]\nPostage=\n").DefaultPostage, "");
    EXPECT_EQ(Load("[System Path]\nDefault=\n").AddressFolder, "");
}

TEST(LoadSettings, LongValuesAreCutAt2047Characters) {
    const std::string longLine(3000, 'x');
    EXPECT_EQ(Load("[YourAddress]\nLine1=" + longLine + "\n").YourLine1.size(), 2047u);
}

TEST(LoadSettings, Windows1252TextIsDecoded) {
    EXPECT_EQ(Load("[YourAddress]\nLine1=M\xFCller\n").YourLine1, "Müller");
}

TEST(ChooseBranding, ResellerOnlyWhenTheLogoLoads) {
    test::TempFolder folder;
    const auto brand = [&](const PictureCheck& check) {
        AppSettings s;
        s.ProgramFolder = folder.Path();
        LoadSettings(s, ProfileFile{}, check);
        return s.CompanyType;
    };
    const PictureCheck loads = [](const std::string& path) {
        return path.ends_with("/Scr_logo.bmp");
    };
    EXPECT_EQ(brand(loads), "Ambervale"); // no file at all
    test::WriteFile(folder.File("Scr_logo.bmp"), "not a picture");
    EXPECT_EQ(brand(kNoPicture), "Ambervale");
    EXPECT_EQ(brand(loads), "Brisquel");
    // A brand already in the file is kept and the logo is not looked at.
    AppSettings s = Load("[Type]\nCompany=Ambervale\n", folder.Path());
    EXPECT_EQ(s.CompanyType, "Ambervale");
}

TEST(SaveSettings, FirstSaveWritesAll23KeysInOrder) {
    test::TempFolder folder;
    const std::string path = folder.File("vell3.ini");
    AppSettings s = Load("");
    s.AlignLeftRight = -3;
    s.PrintBarCode = false;
    SaveSettings(s, path);
    EXPECT_EQ(test::ReadFile(path), "[Type]\nCompany=Ambervale\nBarCodeApp=1\n\n"
                                    "[YourAddress]\nLine1=\nLine2=\nLine3=\nLine4=\nCity=\n"
                                    "State=\nZip=\n\n"
                                    "[Values]\nPostage=0.39\nCertFee=2.40\nReturn=1.85\n"
                                    "Restricted=3.50\nPrintBarCode=0\nCustID=00-000-0000\n"
                                    "SerialNum=00000000\nIncrement=1\n"
                                    "MailerNum=71000000000000000000\n\n"
                                    "[Printing]\nPrintExtraLabel=Yes\nExtraLabel=Addressed To\n\n"
                                    "[Print Align]\nLeftRight=-3\nTopBottom=0\n\n"
                                    "[System Path]\ndefault=/opt/vell3/Addresses\n");
}

TEST(SaveSettings, RoundTripsEveryFieldAndKeepsForeignLines) {
    test::TempFolder folder;
    const std::string path = folder.File("vell3.ini");
    test::WriteFile(path, "[values]\nserialnum=00000007\n; keep me\n[Other]\nx=1\n");
    AppSettings s = Load(test::ReadFile(path));
    s.YourLine1 = "Müller & Söhne";
    s.YourZip = "12345-6789";
    s.SerialNum = "00000042";
    s.AlignTopBottom = 2147483647;
    s.BarCodeApp = false;
    SaveSettings(s, path);

    const std::string written = test::ReadFile(path);
    EXPECT_NE(written.find("serialnum=00000042\n; keep me\n"), std::string::npos) << written;
    EXPECT_NE(written.find("[Other]\nx=1\n"), std::string::npos) << written;

    AppSettings again;
    again.ProgramFolder = s.ProgramFolder;
    LoadSettings(again, path, kNoPicture);
    for (size_t i = 0; i < kSettingKeyCount; ++i) {
        EXPECT_EQ(SettingValueText(again, i), SettingValueText(s, i)) << SettingKeys()[i].key;
    }
}

TEST(SaveSettings, WriteCutShortReportsAndLeavesTheOldFileWhole) {
    test::TempFolder folder;
    const std::string path = folder.File("vell3.ini");
    const std::string before = "[Values]\nSerialNum=00000041\n";
    test::WriteFile(path, before);
    AppSettings s = Load("");
    s.SerialNum = "00000042";

    // A file-size limit below the new file's size fails the write part way,
    // as a full disk would, and holds for root as well.
    ::rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string message;
    try {
        SaveSettings(s, path);
    } catch (const UserError& error) {
        message = error.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(message, "Unable to write to vell3.ini");
    EXPECT_EQ(test::ReadFile(path), before);
    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1u) << "a temporary file was left behind";
}

TEST(SaveSettings, UnwritableTargetReportsTheError) {
    test::TempFolder folder;
    // A folder where the file should be: no write can replace it.
    std::filesystem::create_directories(folder.File("vell3.ini/inner"));
    AppSettings s = Load("");
    EXPECT_THROW(SaveSettings(s, folder.File("vell3.ini")), UserError);
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("vell3.ini/inner")));
}

TEST(DataFolderKey, ReplacesTheWritableFolderOnlyWhenPresentAndKeepsTheFileAsItWas) {
    const struct {
        const char* content;
        std::optional<std::string> dataFolder;
        const char* writable;
        const char* addressFolder;
        const char* savedLine; // nullptr: the saved file holds no DataFolder key
    } cases[] = {
        {"", std::nullopt, "/home/u/.local/share/vell3/", "/home/u/.local/share/vell3/Addresses",
         nullptr},
        {"[System Path]\nDataFolder=/srv/mail\n", "/srv/mail", "/srv/mail/", "/srv/mail/Addresses",
         "DataFolder=/srv/mail\n"},
        {"[system path]\ndatafolder=/srv/mail/\n", "/srv/mail/", "/srv/mail/",
         "/srv/mail/Addresses", "datafolder=/srv/mail/\n"},
        // Present but empty: the user's own folder, and the empty key stays.
        {"[System Path]\nDataFolder=\n", "", "/home/u/.local/share/vell3/",
         "/home/u/.local/share/vell3/Addresses", "DataFolder=\n"},
        // A folder the user chose for the address databases is kept.
        {"[System Path]\nDataFolder=/srv/mail\nDefault=/home/u/db\n", "/srv/mail", "/srv/mail/",
         "/home/u/db", "DataFolder=/srv/mail\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content);
        test::TempFolder folder;
        const std::string path = folder.File("vell3.ini");
        test::WriteFile(path, c.content);
        AppSettings s;
        s.ProgramFolder = "/usr/share/vell3/";
        s.LocalDataFolder = "/home/u/.local/share/vell3/";
        LoadSettings(s, path, kNoPicture);
        EXPECT_EQ(s.DataFolder, c.dataFolder);
        EXPECT_EQ(WritableFolder(s), c.writable);
        EXPECT_EQ(s.AddressFolder, c.addressFolder);

        SaveSettings(s, path);
        const std::string written = test::ReadFile(path);
        const auto keys = std::count(written.begin(), written.end(), '=');
        EXPECT_EQ(keys, c.savedLine != nullptr ? 24 : 23) << written;
        if (c.savedLine != nullptr) {
            EXPECT_NE(written.find(std::string("\n") + c.savedLine), std::string::npos) << written;
        }
        AppSettings again;
        again.LocalDataFolder = s.LocalDataFolder;
        LoadSettings(again, path, kNoPicture);
        EXPECT_EQ(again.DataFolder, s.DataFolder);
    }
}

TEST(WritableFolder, FallsBackFromSharedToLocalToProgramFolder) {
    AppSettings s;
    s.ProgramFolder = "/build/bin/";
    EXPECT_EQ(WritableFolder(s), "/build/bin/");
    s.LocalDataFolder = "/home/u/.local/share/vell3";
    EXPECT_EQ(WritableFolder(s), "/home/u/.local/share/vell3/");
    s.DataFolder = "";
    EXPECT_EQ(WritableFolder(s), "/home/u/.local/share/vell3/");
    s.DataFolder = "/mnt/office/vell3";
    EXPECT_EQ(WritableFolder(s), "/mnt/office/vell3/");
}

} // namespace
} // namespace vell3
