// The recent-files list: newest first, no twice, eight at most, kept in its
// profile across runs; and the kinds of file opened by name.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/RecentFiles.h"
#include "platform/IniProfile.h"

namespace tesslor {
namespace {

TEST(RecentFiles, NewestFirstNoDuplicatesEightKeptAcrossRuns) {
    test::TempDir dir;
    IniProfile profile(dir.Path("recent.INI"));
    {
        RecentFiles recent(&profile);
        EXPECT_TRUE(recent.Paths().empty());
        for (int i = 1; i <= 10; ++i) recent.Add("/card/P" + std::to_string(i) + ".lee");
        recent.Add("/card/P5.lee");
        recent.Add("");
        ASSERT_EQ(recent.Paths().size(), 8u);
        EXPECT_EQ(recent.Paths()[0], "/card/P5.lee");
        EXPECT_EQ(recent.Paths()[1], "/card/P10.lee");
        EXPECT_EQ(recent.Paths()[6], "/card/P4.lee");  // P5 left its place
        EXPECT_EQ(recent.Paths()[7], "/card/P3.lee");
    }
    RecentFiles again(&profile);
    ASSERT_EQ(again.Paths().size(), 8u);
    EXPECT_EQ(again.Paths()[0], "/card/P5.lee");
    EXPECT_EQ(again.Paths()[7], "/card/P3.lee");
    EXPECT_EQ(profile.ReadString("recentfiles", "file2", ""), "/card/P10.lee");

    // A file taken out leaves no gap, in the list or in the profile.
    again.Remove("/card/P10.lee");
    again.Remove("/card/not-listed.lee");
    ASSERT_EQ(again.Paths().size(), 7u);
    EXPECT_EQ(again.Paths()[1], "/card/P9.lee");
    EXPECT_EQ(RecentFiles(&profile).Paths(), again.Paths());
    EXPECT_EQ(profile.ReadString("RecentFiles", "File8", "unset"), "");

    RecentFiles memoryOnly(nullptr);
    memoryOnly.Add("看板.lee");
    EXPECT_EQ(memoryOnly.Paths(), std::vector<std::string>{"看板.lee"});
}

TEST(RecentFiles, KindsByExtensionInAnyCase) {
    EXPECT_EQ(OpenedKindOf("/a/b.LEE"), OpenedKind::LedData);
    EXPECT_EQ(OpenedKindOf("old.led"), OpenedKind::OldLed);
    EXPECT_EQ(OpenedKindOf("C:\\x\\pic.Bmp"), OpenedKind::Bitmap);
    EXPECT_EQ(OpenedKindOf("pic.png"), OpenedKind::Png);
    EXPECT_EQ(OpenedKindOf("text.mon"), std::nullopt);
    EXPECT_EQ(OpenedKindOf("folder.lee/file"), std::nullopt);
    EXPECT_EQ(OpenedKindOf("noextension"), std::nullopt);
}

}  // namespace
}  // namespace tesslor
