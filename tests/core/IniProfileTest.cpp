// INI profile strings (names without regard to case, trimmed values, the first
// of duplicated keys, defaults), and the paths and drive roots built on them.
#include <gtest/gtest.h>

#include <algorithm>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "TestSupport.h"
#include "app/Drives.h"
#include "platform/IniProfile.h"
#include "platform/Paths.h"

namespace tesslor {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

TEST(IniProfile, MissingFileSectionOrKeyGivesTheDefault) {
    TempDir dir;
    IniProfile missing(dir.Path("none.INI"));
    EXPECT_EQ(missing.ReadString("Led", "NanSyoku", "dflt"), "dflt");
    EXPECT_EQ(missing.ReadInteger("Led", "NanSyoku", 7), 7);

    std::string path = dir.Path("a.INI");
    WriteFileBytes(path, "[Led]\nNanSyoku=1\n");
    IniProfile ini(path);
    EXPECT_EQ(ini.ReadInteger("Led", "Other", 7), 7);
    EXPECT_EQ(ini.ReadInteger("Other", "NanSyoku", 7), 7);
    EXPECT_EQ(ini.ReadString("Led", "NanSyoku", "x"), "1");
}

TEST(IniProfile, IntegersAreReadFromTheStartOfTheValue) {
    TempDir dir;
    std::string path = dir.Path("n.INI");
    WriteFileBytes(path,
                   "[N]\nlead=12abc\nword=abc\nempty=\nsign=-\nneg= -3 \nplus=+5\nhuge=99999999999\n"
                   "tiny=-99999999999\nzero=0\n");
    IniProfile ini(path);
    EXPECT_EQ(ini.ReadInteger("N", "lead", -1), 12);
    EXPECT_EQ(ini.ReadInteger("N", "word", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "empty", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "sign", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "neg", 0), -3);
    EXPECT_EQ(ini.ReadInteger("N", "plus", 0), 5);
    EXPECT_EQ(ini.ReadInteger("N", "huge", 0), INT_MAX);
    EXPECT_EQ(ini.ReadInteger("N", "tiny", 0), INT_MIN);
    EXPECT_EQ(ini.ReadInteger("N", "zero", -1), 0);
}

TEST(IniProfile, ReadsSignatureCommentsQuotesCasesAndDuplicatedKeys) {
    TempDir dir;
    std::string path = dir.Path("r.INI");
    // A UTF-8 signature, CR LF lines, comments, blanks around names and values,
    // quotes, a duplicated key, and names in other cases.
    WriteFileBytes(path,
                   "\xEF\xBB\xBF[Led]\r\n; a comment=1\r\n  NanSyoku  =  1  \r\n"
                   "TateMaisuu=3\r\nTateMaisuu=4\r\n[user]\r\nUSER=\"root\"\r\nName='x y'\r\nHalf=\"open\r\n");
    IniProfile ini(path);
    EXPECT_EQ(ini.ReadString("Led", "NanSyoku", ""), "1");
    EXPECT_EQ(ini.ReadString("led", "nansyoku", ""), "1");
    EXPECT_EQ(ini.ReadString("LED", "; a comment", "none"), "none");
    EXPECT_EQ(ini.ReadInteger("Led", "TateMaisuu", 0), 3) << "the first of equal keys wins";
    EXPECT_EQ(ini.ReadString("User", "User", ""), "root");
    EXPECT_EQ(ini.ReadString("User", "Name", ""), "x y");
    EXPECT_EQ(ini.ReadString("User", "Half", ""), "\"open");
}

TEST(IniProfile, WriteStringCreatesAndUpdatesTheFileKeepingEverythingElse) {
    TempDir dir;
    std::string path = dir.Path("TesslorDrive.INI");
    IniProfile ini(path);
    ASSERT_TRUE(ini.WriteString("Drive", "Drive", "E"));
    EXPECT_EQ(ini.ReadString("Drive", "Drive", ""), "E");
    ASSERT_TRUE(ini.WriteString("Drive", "Drive", "C"));
    EXPECT_EQ(IniProfile(path).ReadString("Drive", "Drive", ""), "C");

    // An existing file keeps its comments, other sections and order; the key is
    // found whatever the case of its names, and written as key=value.
    std::string conf = dir.Path("Tesslor.INI");
    WriteFileBytes(conf, "; site A\n[Led]\nNanSyoku=1\nTateMaisuu=2\n[User]\nUser=root\n");
    IniProfile c(conf);
    ASSERT_TRUE(c.WriteString("LED", "nansyoku", "-1"));
    ASSERT_TRUE(c.WriteString("Kiki", "Kiki", "Kankyouhyoujiki"));
    std::string bytes = ReadFileBytes(conf);
#ifdef _WIN32
    // Windows programs end an INI file's lines with CR LF.
    EXPECT_NE(bytes.find("[Kiki]\r\n"), std::string::npos) << bytes;
    bytes.erase(std::remove(bytes.begin(), bytes.end(), '\r'), bytes.end());
#endif
    EXPECT_EQ(bytes.rfind("; site A\n", 0), 0u) << bytes;
    EXPECT_NE(bytes.find("[Led]\nNanSyoku=-1\nTateMaisuu=2\n"), std::string::npos) << bytes;
    EXPECT_LT(bytes.find("[Led]"), bytes.find("[User]\nUser=root\n"));
    EXPECT_LT(bytes.find("[User]"), bytes.find("[Kiki]\nKiki=Kankyouhyoujiki\n"));
    EXPECT_EQ(bytes.find("nansyoku"), std::string::npos) << bytes;
    EXPECT_EQ(c.ReadInteger("Led", "NanSyoku", 0), -1);
    EXPECT_EQ(c.ReadString("User", "User", ""), "root");
}

TEST(IniProfile, WriteStringFailsWithoutHarm) {
    TempDir dir;
    // The folder cannot hold files: its "parent" is a plain file.
    std::string notAFolder = dir.Path("plain");
    WriteFileBytes(notAFolder, "x");
    EXPECT_FALSE(IniProfile(notAFolder + "/x.INI").WriteString("Drive", "Drive", "E"));
    EXPECT_FALSE(IniProfile(dir.Path("no/such/folder/x.INI")).WriteString("Drive", "Drive", "E"));

    // Something that exists but cannot be read as a file is not overwritten.
    std::filesystem::create_directory(dir.Path("folder.INI"));
    EXPECT_FALSE(IniProfile(dir.Path("folder.INI")).WriteString("Drive", "Drive", "E"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path("folder.INI")));

    // A failed write or commit leaves the earlier file exactly as it was.
    std::string path = dir.Path("d.INI");
    WriteFileBytes(path, "[Drive]\nDrive=E\n");
    test::FailingFileSystem failing;
    failing.failAtWrite = 1;
    EXPECT_FALSE(IniProfile(path, failing).WriteString("Drive", "Drive", "F"));
    failing.failAtWrite = 0;
    failing.failCommit = true;
    EXPECT_FALSE(IniProfile(path, failing).WriteString("Drive", "Drive", "F"));
    EXPECT_EQ(ReadFileBytes(path), "[Drive]\nDrive=E\n");

    // Line breaks would add lines of their own; such values and names are refused.
    IniProfile ini(path);
    EXPECT_FALSE(ini.WriteString("Drive", "Drive", "F\n[User]\nUser=root"));
    EXPECT_FALSE(ini.WriteString("Dri]ve", "Drive", "F"));
    EXPECT_FALSE(ini.WriteString("Drive", "Dr=ive", "F"));
    EXPECT_FALSE(ini.WriteString("Drive", "", "F"));
    EXPECT_EQ(ReadFileBytes(path), "[Drive]\nDrive=E\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Dir()), {}), 3)
        << "no temporary file is left behind";
}


TEST(IniProfileDrives, DriveRootsComeFromTheConfigurationElseHome) {
    TempDir dir;
    std::string path = dir.Path("Tesslor.INI");
    WriteFileBytes(path, "[Led]\nNanSyoku=2\n[driveroots]\nE=/media/site/CARD\nf = /mnt/usb stick \n");
    IniProfile ini(path);
    EXPECT_EQ(DriveRootFor(ini, 'E'), "/media/site/CARD");
    EXPECT_EQ(DriveRootFor(ini, 'e'), "/media/site/CARD");
    EXPECT_EQ(DriveRootFor(ini, 'F'), "/mnt/usb stick");
    EXPECT_EQ(MappedDriveLetters(ini), "EF");
#ifdef _WIN32
    // Unmapped, a letter is the drive itself.
    EXPECT_EQ(DriveRootFor(ini, 'C'), "C:\\");
    EXPECT_EQ(DriveRootFor(IniProfile(dir.Path("missing.INI")), 'E'), "E:\\");
    return;
#endif
    test::ScopedEnv home("HOME", "/home/operator");
    EXPECT_EQ(DriveRootFor(ini, 'C'), "/home/operator");
    EXPECT_EQ(MappedDriveLetters(ini), "EF");
    EXPECT_EQ(MappedDriveLetters(IniProfile(dir.Path("missing.INI"))), "");
    EXPECT_EQ(DriveRootFor(IniProfile(dir.Path("missing.INI")), 'E'), "/home/operator");
    test::ScopedEnv noHome("HOME", nullptr);
    EXPECT_EQ(DriveRootFor(ini, 'C'), "");
}

TEST(IniProfileDrives, ConfigurationFilesLieBesideTheExecutable) {
    EXPECT_EQ(ConfigFilePathFor("/opt/x/tesslor"), "/opt/x/tesslor.INI");
    EXPECT_EQ(DriveFilePathFor("/opt/x/tesslor"), "/opt/x/tesslorDrive.INI");
    EXPECT_EQ(ConfigFilePathFor("C:\\x\\Tesslor.exe"), "C:\\x\\Tesslor.INI");
    EXPECT_EQ(DriveFilePathFor("C:\\x\\Tesslor.exe"), "C:\\x\\TesslorDrive.INI");
    EXPECT_EQ(ConfigFilePathFor("/opt/v1.2/tesslor"), "/opt/v1.2/tesslor.INI");

    std::string exe = ExecutablePath();
    ASSERT_FALSE(exe.empty());
#ifdef _WIN32
    EXPECT_EQ(LowerExtension(exe), "exe");
    EXPECT_TRUE(std::filesystem::is_regular_file(PathOfUtf8(exe)));
#else
    EXPECT_TRUE(std::filesystem::equivalent(exe, "/proc/self/exe"));
#endif
}

}  // namespace
}  // namespace tesslor
