// Which configuration file is read when none is named: beside the executable,
// then the user's, then the system's.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "app/Drives.h"
#include "platform/ConfigLocation.h"

namespace tesslor {
namespace {

using test::TempDir;
using test::WriteFileBytes;

// A program folder, a user configuration folder and a system folder, each
// empty until a test puts a file in it.
struct Folders {
    TempDir root;
    std::string beside = root.Path("bin/tesslor.INI");
    std::string user = root.Path("home/.config/Tesslor");
    std::string system = root.Path("etc");
    Folders() {
        std::filesystem::create_directories(root.Path("bin"));
        std::filesystem::create_directories(user);
        std::filesystem::create_directories(system);
    }
    std::string Chosen() const { return ChooseConfigFile(beside, user, system); }
    std::string UserFile() const { return user + kSeparator + "tesslor.INI"; }
    std::string SystemFile() const { return system + kSeparator + "tesslor.INI"; }
#ifdef _WIN32
    static constexpr const char* kSeparator = "\\";
#else
    static constexpr const char* kSeparator = "/";
#endif
};

TEST(ConfigPath, TheFirstExistingFileWinsInOrder) {
    Folders f;
    // None exists: the path beside the executable, which reads as the defaults.
    EXPECT_EQ(f.Chosen(), f.beside);

    WriteFileBytes(f.SystemFile(), "[Led]\nNanSyoku=1\n");
    EXPECT_EQ(f.Chosen(), f.SystemFile());

    WriteFileBytes(f.UserFile(), "[Led]\nNanSyoku=1\n");
    EXPECT_EQ(f.Chosen(), f.UserFile());

    WriteFileBytes(f.beside, "[Led]\nNanSyoku=1\n");
    EXPECT_EQ(f.Chosen(), f.beside);

    // The beside file also wins over the system's alone.
    std::filesystem::remove(f.UserFile());
    EXPECT_EQ(f.Chosen(), f.beside);
}

TEST(ConfigPath, OnlyExistingFilesCountAndEmptyFoldersAreSkipped) {
    Folders f;
    // A folder named like the file is not a configuration file.
    std::filesystem::create_directories(f.UserFile());
    WriteFileBytes(f.SystemFile(), "");
    EXPECT_EQ(f.Chosen(), f.SystemFile());

    EXPECT_EQ(ChooseConfigFile(f.beside, "", ""), f.beside);
    EXPECT_EQ(ChooseConfigFile(f.beside, "", f.system), f.SystemFile());
    // A trailing separator on a folder is not doubled.
    EXPECT_EQ(ChooseConfigFile(f.beside, "", f.system + f.kSeparator), f.SystemFile());
    // A missing user folder is looked past.
    EXPECT_EQ(ChooseConfigFile(f.beside, f.root.Path("nowhere"), f.system), f.SystemFile());
}

TEST(ConfigPath, BesideTheCliAndTheEditorTheNamesFollowTheExecutable) {
    Folders f;
    const std::string cliBeside = ConfigFilePathFor(f.root.Path("bin/tesslor-cli"));
    WriteFileBytes(f.UserFile(), "");
    // The CLI's own file is tesslor-cli.INI; without it the shared user file is read.
    EXPECT_EQ(ChooseConfigFile(cliBeside, f.user, f.system), f.UserFile());
    WriteFileBytes(cliBeside, "");
    EXPECT_EQ(ChooseConfigFile(cliBeside, f.user, f.system), cliBeside);
}

TEST(ConfigPath, UserFolderFollowsXdgConfigHomeElseHome) {
#ifdef _WIN32
    {
        // Windows keeps a user's settings under %APPDATA%.
        test::ScopedEnv appData("APPDATA", "C:\\Users\\現場\\AppData\\Roaming");
        EXPECT_EQ(UserConfigFolder(), "C:\\Users\\現場\\AppData\\Roaming\\Tesslor");
        test::ScopedEnv none("APPDATA", nullptr);
        EXPECT_EQ(UserConfigFolder(), "");
        return;
    }
#endif
    EXPECT_EQ(UserConfigFolderFrom("/x/cfg", "/home/op"), "/x/cfg/Tesslor");
    EXPECT_EQ(UserConfigFolderFrom("/x/cfg/", "/home/op"), "/x/cfg/Tesslor");
    EXPECT_EQ(UserConfigFolderFrom(nullptr, "/home/op"), "/home/op/.config/Tesslor");
    // An empty or relative XDG_CONFIG_HOME is ignored.
    EXPECT_EQ(UserConfigFolderFrom("", "/home/op"), "/home/op/.config/Tesslor");
    EXPECT_EQ(UserConfigFolderFrom("cfg", "/home/op"), "/home/op/.config/Tesslor");
    // No home at all: no user folder to look in.
    EXPECT_EQ(UserConfigFolderFrom(nullptr, nullptr), "");
    EXPECT_EQ(UserConfigFolderFrom("", ""), "");
}

TEST(ConfigPath, InstalledProgramFoldersAreNeverWrittenBeside) {
#ifdef _WIN32
    GTEST_SKIP() << "Linux folders";
#endif
    for (const char* folder : {"/usr/bin", "/usr/local/bin", "/bin", "/sbin", "/opt/tesslor/bin", "/usr/bin/",
                               "/usr/../usr/bin", "/snap/tesslor/12/bin"})
        EXPECT_TRUE(IsInstalledProgramFolder(folder)) << folder;
    // A build or unpacked copy anywhere else keeps its files beside it.
    for (const char* folder : {"/work/main/build/gui", "/home/site/tesslor", "/tmp/x", "/", "", "usr/bin",
                               "/usrlocal/bin", "/home/usr/bin"})
        EXPECT_FALSE(IsInstalledProgramFolder(folder)) << folder;
}

}  // namespace
}  // namespace tesslor
