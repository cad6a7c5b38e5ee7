#include "AppPaths.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

namespace vell3 {
namespace {

namespace fs = std::filesystem;

TEST(ChooseProgramFolders, BuildFolderServesBothInstalledProgramSplits) {
    enum class Beside { Nothing, ShippedFiles, ShippedFilesReadOnly };
    const struct {
        Beside beside;
        bool shippedBeside;
        bool writableBeside;
    } cases[] = {
        {Beside::Nothing, false, false},
        {Beside::ShippedFiles, true, true},
        {Beside::ShippedFilesReadOnly, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.beside));
        test::TempFolder exe;
        if (c.beside != Beside::Nothing) {
            test::WriteFile(exe.File(kShippedFilesMarker), "<html></html>");
        }
        if (c.beside == Beside::ShippedFilesReadOnly) {
            if (::geteuid() == 0) {
                continue; // root writes into any folder; the row cannot be set up
            }
            ::chmod(exe.Path().c_str(), 0555);
        }
        const ProgramFolders folders =
            ChooseProgramFolders(exe.Path(), "/usr/share/vell3", "/home/u/.local/share/vell3");
        EXPECT_EQ(folders.shipped, c.shippedBeside ? exe.Path() : "/usr/share/vell3/");
        EXPECT_EQ(folders.writable, c.writableBeside ? exe.Path() : "/home/u/.local/share/vell3/");
    }
}

TEST(AppPaths, FilesFollowTheFoldersAndTheSharedDataFolder) {
    AppSettings s;
    ApplyProgramFolders(s, {"/usr/share/vell3", "/home/u/.local/share/vell3"});
    EXPECT_EQ(ShippedFile(s, "bcapp.emf"), "/usr/share/vell3/bcapp.emf");
    EXPECT_EQ(LogTableFile(s), "/home/u/.local/share/vell3/Reports/report3.dbf");
    EXPECT_EQ(AddressesFolder(s), "/home/u/.local/share/vell3/Addresses/");
    s.DataFolder = "/mnt/office";
    EXPECT_EQ(ShippedFile(s, "Vell3.rav"), "/usr/share/vell3/Vell3.rav");
    EXPECT_EQ(LogTableFile(s), "/mnt/office/Reports/report3.dbf");
    EXPECT_EQ(ReportsFolder(s), "/mnt/office/Reports/");

    const ProgramFolders single = SingleProgramFolder("/tmp/p");
    EXPECT_EQ(single.shipped, "/tmp/p/");
    EXPECT_EQ(single.writable, "/tmp/p/");
}

TEST(CreateDataFolders, MakesTheUserFolderButNeverAMissingSharedOne) {
    test::TempFolder root;
    AppSettings local;
    ApplyProgramFolders(local, {root.Path(), root.File("home/.local/share/vell3")});
    CreateDataFolders(local);
    EXPECT_TRUE(fs::is_directory(root.File("home/.local/share/vell3/Reports")));
    EXPECT_TRUE(fs::is_directory(root.File("home/.local/share/vell3/Addresses")));

    AppSettings shared = local;
    shared.DataFolder = root.File("unmounted/share");
    CreateDataFolders(shared);
    EXPECT_FALSE(fs::exists(root.File("unmounted")));

    fs::create_directory(root.File("share"));
    shared.DataFolder = root.File("share");
    CreateDataFolders(shared);
    EXPECT_TRUE(fs::is_directory(root.File("share/Reports")));
    EXPECT_TRUE(fs::is_directory(root.File("share/Addresses")));
}

} // namespace
} // namespace vell3
