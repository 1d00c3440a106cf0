// An imported animation on disk: its display time from the frames' delays,
// the frames' names, and a write that refuses or fails leaving no list that
// names missing pictures.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "TestSupport.h"
#include "app/ImportAnimation.h"

namespace tesslor {
namespace {

TEST(ImportAnimationRules, TheDisplayTimeIsTheMedianDelayAndFramesAreNumbered) {
    EXPECT_EQ(AnimationTimeOf({5, 20, 30}), 20);
    EXPECT_EQ(AnimationTimeOf({30, 5}), 5) << "the lower middle of an even count";
    EXPECT_EQ(AnimationTimeOf({0, 0, 7}), 10) << "0 shows as 10, as browsers show it";
    EXPECT_EQ(AnimationTimeOf({1}), 10);
    EXPECT_EQ(AnimationTimeOf({}), 10);
    EXPECT_EQ(AnimationTimeOf({65535}), 9999) << "the list's four digits";
    EXPECT_EQ(FrameNameOf("/card/walk.alt", 0), "/card/walk_01.lee");
    EXPECT_EQ(FrameNameOf("walk.ALT", 29), "walk_30.lee");
    EXPECT_EQ(FramesLeftOutNotice(32, 30), "注意: 32 枚のうち初めの 30 枚を取り込みました（スーパーアニメーションは 30 枚まで）");
}

// The hint names what may light the frame; on a board configured without
// panel rows nothing will, and it says so.
TEST(ImportAnimationRules, ADarkFramesHintFitsTheBoard) {
    StartupConfig board;
    EXPECT_EQ(DarkFrameMessage("a_02.lee", 1, board),
              "2 枚目（a_02.lee）には点灯する点がありません。点灯する点のない絵はアニメーションに入れられません"
              "（しきい値・反転・色を変えてみてください）");
    for (int rows : {0, -3}) {
        board.TateMaisuu = rows;
        EXPECT_EQ(DarkFrameMessage("", 0, board),
                  "1 枚目には点灯する点がありません。点灯する点のない絵はアニメーションに入れられません"
                  "（設定の TateMaisuu が 0 以下で、表示器に点灯できる段がありません）");
    }
}

class ImportAnimationWrite : public ::testing::Test {
protected:
    ImportAnimationWrite() {
        frames[0].Set(0, 0, kLedRed);
        frames[1].Set(1, 0, kLedGreen);
    }
    bool Write(const std::string& list, const std::string& writeNo = "3") {
        return WriteImportedAnimation(files, StartupConfig{}, dir.Path(list), frames, {5, 20}, writeNo, message);
    }
    std::size_t Files() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir.Dir()), {}));
    }
    test::TempDir dir;
    test::FailingFileSystem files;
    std::vector<PictureDots> frames{2};
    std::string message;
};

TEST_F(ImportAnimationWrite, FramesThenTheListAndItsData) {
    ASSERT_TRUE(Write("walk.alt")) << message;
    EXPECT_EQ(test::ReadFileBytes(dir.Path("walk.alt")), "ANIMATION_QUALITY_SUPER\r\n3\r\n5\r\nwalk_01.lee\r\nwalk_02.lee\r\n");
    EXPECT_NE(test::ReadFileBytes(dir.Path("walk_02.lee")).find("$001:8000"), std::string::npos);
    EXPECT_NE(test::ReadFileBytes(dir.Path("walk.ana")).find("$ANIMATION_PICTURES=02"), std::string::npos);
}

TEST_F(ImportAnimationWrite, RefusalsWriteNothingAndAFailedFrameNamesItself) {
    EXPECT_FALSE(Write("walk.alt", "9"));
    EXPECT_EQ(message, "スーパーアニメーションの書き込みＮｏは、１～６です");
    EXPECT_FALSE(Write(std::string(24, 'a') + ".alt"));  // its frames' names run past 30 bytes
    EXPECT_EQ(message, std::string(24, 'a') + "_02.lee は表示器の読める 30 バイトを超える名前です");
    // A frame that lights nothing (a picture without colour blocks) is named
    // before anything is written, not found missing by the animation data.
    frames.push_back(PictureDots{});
    EXPECT_FALSE(Write("walk.alt"));
    EXPECT_EQ(message, DarkFrameMessage("walk_03.lee", 2, StartupConfig{}));
    EXPECT_EQ(message.substr(0, message.find("。")), "3 枚目（walk_03.lee）には点灯する点がありません");
    frames.pop_back();
    EXPECT_EQ(Files(), 0u);
    // The second frame cannot be written (a folder holds its name): its name
    // is said, the first frame goes again, and no list names the missing picture.
    std::filesystem::create_directory(dir.Path("walk_02.lee"));
    EXPECT_FALSE(Write("walk.alt"));
    EXPECT_EQ(message.rfind("walk_02.lee: ", 0), 0u) << message;
    EXPECT_EQ(Files(), 1u) << "only the folder that was there";
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path("walk_02.lee")));
    // A write cut off in a frame leaves the same: no list.
    std::filesystem::remove(dir.Path("walk_02.lee"));
    files.writes = 0;
    files.failAtWrite = 1;
    EXPECT_FALSE(Write("walk.alt"));
    EXPECT_EQ(message.rfind("walk_01.lee: ", 0), 0u) << message;
    EXPECT_EQ(Files(), 0u);
}

// The operator's own files under the animation's names: asked about first,
// and put back byte for byte when the write fails at any of its files.
TEST_F(ImportAnimationWrite, FilesItWouldReplaceAreNamedAndComeBackWhenItFails) {
    const std::map<std::string, std::string> own{{"walk_02.lee", "mine 2"}, {"walk.ana", "mine ana"}};
    for (const auto& [name, bytes] : own) test::WriteFileBytes(dir.Path(name), bytes);
    EXPECT_EQ(ExistingImportedAnimationFiles(files, dir.Path("walk"), 2),
              (std::vector<std::string>{"walk_02.lee", "walk.ana"}));
    EXPECT_EQ(ImportReplaceQuestion({"walk_02.lee", "walk.ana"}), "walk_02.lee、walk.ana は、もうあります。置き換えますか？");
    EXPECT_EQ(ImportReplaceQuestion({"a", "b", "c", "d", "e", "f"}), "a、b、c、d ほか 2 ファイル は、もうあります。置き換えますか？");
    // The write cut off at each of its steps in turn (creating, writing,
    // flushing, renaming each file) until it goes through whole.
    int failAt = 1;
    for (; failAt < 500; ++failAt) {
        files.steps.clear();
        files.failAtStep = failAt;
        if (Write("walk.alt")) break;
        EXPECT_EQ(test::FolderContents(dir.Path("")), own) << "cut off at step " << failAt << ": " << message;
    }
    EXPECT_GT(failAt, 16) << "four files' steps were each cut off";
    EXPECT_NE(test::ReadFileBytes(dir.Path("walk_02.lee")), "mine 2");
    EXPECT_EQ(ExistingImportedAnimationFiles(files, dir.Path("walk.alt"), 2).size(), 4u);
}

// The window checks before a name is chosen (listPath ""), then again with it.
TEST_F(ImportAnimationWrite, BeforeANameIsChosenAllButTheNamesAreChecked) {
    const StartupConfig board;
    EXPECT_EQ(ImportedAnimationRefusal(files, board, "", frames, "3"), "");
    EXPECT_EQ(ImportedAnimationRefusal(files, board, "", frames, "9"), "スーパーアニメーションの書き込みＮｏは、１～６です");
    frames.push_back(PictureDots{});
    EXPECT_EQ(ImportedAnimationRefusal(files, board, "", frames, "3"), DarkFrameMessage("", 2, board));
    EXPECT_EQ(ImportedAnimationRefusal(files, board, dir.Path("walk"), frames, "3"), DarkFrameMessage("walk_03.lee", 2, board));
    // One picture and darkness taking turns: the unit blinks a picture by itself.
    const std::string blinkHint =
        "（点灯と消灯を繰り返すだけの画像は、絵として読み込み、表示モードを「点滅１」にすると表示器が点滅させます）";
    const auto hint = [](const std::string& m) { return m.substr(m.find("ません（") + std::string("ません").size()); };
    PictureDots red, green;
    red.Set(0, 0, kLedRed);
    green.Set(0, 0, kLedGreen);
    const PictureDots dark;
    for (const auto& [blinking, blinks] : std::vector<std::pair<std::vector<PictureDots>, bool>>{
             {{red, dark}, true},
             {{dark, red, dark, red}, true},
             {{red, dark, green}, false},
             {{dark, dark}, false}}) {
        const std::string m = ImportedAnimationRefusal(files, board, "", blinking, "3");
        EXPECT_EQ(hint(m) == blinkHint, blinks) << m;
        EXPECT_EQ(m, DarkFrameMessage("", blinking[0] == dark ? 0 : 1, board, blinks));
    }
    frames.pop_back();
    EXPECT_EQ(ImportedAnimationRefusal(files, board, dir.Path(std::string(24, 'a') + ".alt"), frames, "3"),
              std::string(24, 'a') + "_02.lee は表示器の読める 30 バイトを超える名前です");
    EXPECT_EQ(Files(), 0u);
}

}  // namespace
}  // namespace tesslor
