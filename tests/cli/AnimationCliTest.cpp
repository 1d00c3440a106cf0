// tesslor-cli animate, render --view animation and check of list and data files.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "CliRun.h"
#include "PngImage.h"
#include "TestSupport.h"

namespace tesslor {
namespace {

using test::CliRun;
using test::CrLfLines;
using test::ReadFileBytes;
using test::RunCli;
using test::TempDir;
using test::WriteFileBytes;

namespace fs = std::filesystem;

// An LED data file whose first dot is red; an empty one when lit is false.
std::string Picture(bool lit) {
    std::vector<std::string> l = {"#LED_DATA_FILE", "#DATA_TYPE", "$NORMAL", "#END_OF_DATA_TYPE", "#DEFINE",
                                  "$SETEI:A, , ,000", lit ? "$MAXIMUM_LINES=016" : "$MAXIMUM_LINES=000",
                                  "$REVERSE_COLOR_RED", "$WRITE_TABLE_NO=01", "#END_OF_DEFINE"};
    if (lit) {
        l.push_back("#RED");
        l.push_back("$000:8000,0000,0000,0000,0000,");
        l.push_back("#END_OF_RED");
        l.push_back("#GREEN");
        l.push_back("#END_OF_GREEN");
    }
    l.push_back("#END_OF_LED_DATA_FILE");
    return CrLfLines(l, true);
}

std::uint32_t Le32(const std::string& s, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
    return v;
}
std::uint32_t Be32(const std::string& s, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
    return v;
}

class AnimationCli : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(dir.Path("pics"));
        WriteFileBytes(dir.Path("pics/a.lee"), Picture(true));
        WriteFileBytes(dir.Path("pics/b.lee"), Picture(true));
        WriteFileBytes(dir.Path("pics/empty.lee"), Picture(false));
    }
    CliRun Run(const std::vector<std::string>& args) { return RunCli(dir, args); }
    std::string P(const std::string& name) const { return dir.Path(name); }
    TempDir dir;
};

TEST_F(AnimationCli, AnimateBuildsAListFromPicturesAndReSavesIt) {
    CliRun r = Run({"animate", "--write-no", "3", P("pics/anim"), P("pics/a.lee"), P("pics/b.lee")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(ReadFileBytes(P("pics/anim.alt")), "ANIMATION_QUALITY_SUPER\r\n3\r\n10\r\na.lee\r\nb.lee\r\n");
    const std::string ana = ReadFileBytes(P("pics/anim.ana"));
    EXPECT_EQ(ana.size(), (10 + 2 * 165 + 1) * 32u);
    EXPECT_EQ(ana.substr(7 * 32, 64), "$ANIMATION_PICTURES=02        \r\n$WRITE_TABLE_NO=03            \r\n");

    // Re-saving the list with new values keeps its pictures.
    r = Run({"animate", "--type", "normal", "--write-no", "20", "--time", "9999", P("pics/anim.alt")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(P("pics/anim.alt")), "ANIMATION_QUALITY_NORMAL\r\n20\r\n9999\r\na.lee\r\nb.lee\r\n");
    EXPECT_NE(ReadFileBytes(P("pics/anim.ana")).find("$ANIMATION_DISPLAY_TIME=9999"), std::string::npos);

    r = Run({"check", P("pics/anim.alt"), P("pics/anim.ana")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, P("pics/anim.alt") + ": OK\n" + P("pics/anim.ana") + ": OK\n");
}

TEST_F(AnimationCli, AnimateFailuresKeepTheEarlierFiles) {
    ASSERT_EQ(Run({"animate", "--write-no", "1", P("pics/anim.alt"), P("pics/a.lee")}).status, 0);
    const std::string list = ReadFileBytes(P("pics/anim.alt")), data = ReadFileBytes(P("pics/anim.ana"));
    struct Case {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"animate", "--type", "normal", "--write-no", "21", P("pics/anim.alt")},
         "ノーマルアニメーションの書き込みＮｏは、１～２０です\n"},
        {{"animate", "--write-no", "7", P("pics/anim.alt")}, "スーパーアニメーションの書き込みＮｏは、１～６です\n"},
        {{"animate", P("pics/anim.alt"), P("pics/a.lee")}, "書き込みＮｏを入力して下さい\n"},
        {{"animate", "--write-no", "1", "--time", "0", P("pics/anim.alt")}, "１枚の表示時間は、１～９９９９です\n"},
        {{"animate", "--write-no", "1", P("anim.alt"), P("pics/a.lee")},
         "同一のフォルダー内のファイルしか指定できません\n"},
        {{"animate", "--write-no", "1", P("pics/x.alt"), P("pics/a.lee"), P("b.lee")},
         "同一のフォルダー内のファイルしか指定できません\n"},
        {{"animate", P("pics/missing.alt")}, P("pics/missing.alt") + "オープンエラー\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.err);
        CliRun r = Run(c.args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(ReadFileBytes(P("pics/anim.alt")), list);
        EXPECT_EQ(ReadFileBytes(P("pics/anim.ana")), data);
    }
    EXPECT_FALSE(fs::exists(P("anim.alt")));
    EXPECT_FALSE(fs::exists(P("pics/x.alt")));

    // A picture without a lit dot fails the save after the list was written;
    // the earlier data file stays.
    CliRun r = Run({"animate", "--write-no", "1", P("pics/anim.alt"), P("pics/a.lee"), P("pics/empty.lee")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "empty.lee エラー\n");
    EXPECT_EQ(ReadFileBytes(P("pics/anim.ana")), data);
}

TEST_F(AnimationCli, AnimateUsageErrors) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"animate"},
             {"animate", "--type", "fast", P("pics/anim.alt")},
             {"animate", "--write-no", "5x", P("pics/anim.alt"), P("pics/a.lee")},
             {"animate", "--write-no", "123", P("pics/anim.alt"), P("pics/a.lee")},
             {"animate", "--write-no", "1", "--time", "10000", P("pics/anim.alt"), P("pics/a.lee")}}) {
        CliRun r = Run(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_FALSE(fs::exists(P("pics/anim.alt")));
    }
    // The boxes' widths are the maker's, and the refusal is in the operator's language.
    CliRun r = Run({"animate", "--time", "12345", P("pics/anim.alt"), P("pics/a.lee")});
    EXPECT_EQ(r.err, "tesslor-cli: --time には4桁までの数字を指定して下さい: \"12345\"\n");
    r = Run({"animate", "--write-no", "5x", P("pics/anim.alt"), P("pics/a.lee")});
    EXPECT_EQ(r.err, "tesslor-cli: --write-no には2桁までの数字を指定して下さい: \"5x\"\n");
}

TEST_F(AnimationCli, CheckReportsListAndDataFileFaults) {
    WriteFileBytes(P("bad.alt"), "ANIMATION_QUALITY_SUPER \r\n1\r\n10\r\n");
    WriteFileBytes(P("bad.ana"), CrLfLines({"#LED_DATA_FILE", "#DATA_TYPE", "$NORMAL"}, true));
    WriteFileBytes(P("short.ana"), CrLfLines({"#LED_DATA_FILE", "#DATA_TYPE", "$ANIMATION"}, true));
    CliRun r = Run({"check", P("bad.alt"), P("bad.ana"), P("short.ana"), P("none.ana")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, P("bad.alt") + ": " + P("bad.alt") + "アニメーションリストファイルではありません\n" +
                         P("bad.ana") + ": エラー　3行目　$ANIMATION ではありません\n" + P("short.ana") +
                         ": エラー　4行目　#END_OF_DATA_TYPE がリード出来ませんでした\n" + P("none.ana") +
                         ": ファイル　オープン　エラー\n");
}

TEST_F(AnimationCli, ShowPrintsAnAnimationDataFilesDefineLinesInCardChecksWords) {
    ASSERT_EQ(Run({"animate", "--write-no", "3", "--time", "50", P("pics/anim"), P("pics/a.lee"), P("pics/b.lee")})
                  .status,
              0);
    CliRun r = Run({"show", P("pics/anim.ana")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "kind=animation-data\ntype=super\nwriteno=3\npictures=2\ntime=50\n");
    r = Run({"card", "check", P("pics")});
    EXPECT_NE(r.out.find("anim.ana\tanimation\tOK\ttype=super writeno=3 pictures=2 time=50\n"), std::string::npos)
        << r.out;

    ASSERT_EQ(Run({"animate", "--type", "normal", "--write-no", "20", P("pics/anim.alt")}).status, 0);
    r = Run({"show", P("pics/anim.ana")});
    EXPECT_EQ(r.out, "kind=animation-data\ntype=normal\nwriteno=20\npictures=2\ntime=50\n");

    // A broken or missing file gives check's message and nothing on standard output.
    WriteFileBytes(P("bad.ana"), CrLfLines({"#LED_DATA_FILE", "#DATA_TYPE", "$NORMAL"}, true));
    r = Run({"show", P("bad.ana")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "エラー　3行目　$ANIMATION ではありません\n");
    r = Run({"show", P("none.ana")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ファイル　オープン　エラー\n");
}

TEST_F(AnimationCli, RenderWritesTheDemosFrames) {
    WriteFileBytes(P("pics/l.alt"), "ANIMATION_QUALITY_SUPER\r\n1\r\n10\r\na.lee\r\nempty.lee\r\n");
#ifdef TESSLOR_NO_QT
    {
        const CliRun png = Run({"render", "--view", "animation", P("pics/l.alt"), P("frame%d.png")});
        EXPECT_EQ(png.status, 1);
        EXPECT_NE(png.err.find(cli::kNoPngMessage), std::string::npos) << png.err;
        EXPECT_FALSE(fs::exists(PathOfUtf8(P("frame0.png"))));
    }
#else
    const CliRun frames = Run({"render", "--view", "animation", P("pics/l.alt"), P("frame%d.png")});
    EXPECT_EQ(frames.status, 0) << frames.err;
    for (const char* name : {"frame0.png", "frame1.png"}) {
        const std::string png = ReadFileBytes(P(name));
        ASSERT_GT(png.size(), 24u) << name;
        EXPECT_EQ(Be32(png, 16), 480u);
        EXPECT_EQ(Be32(png, 20), 480u);
    }
    EXPECT_FALSE(fs::exists(P("frame2.png")));
    EXPECT_NE(ReadFileBytes(P("frame0.png")), ReadFileBytes(P("frame1.png")));

#endif
    WriteFileBytes(P("small.INI"), "[Led]\nYokoMaisuu=2\nTateMaisuu=1\n");
    CliRun r = Run({"render", "--config", P("small.INI"), "--view", "animation", P("pics/l.alt"), P("all.bmp")});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string bmp = ReadFileBytes(P("all.bmp"));
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(Le32(bmp, 18), 2u * 192u);
    EXPECT_EQ(Le32(bmp, 22), 96u);
}

TEST_F(AnimationCli, RenderOfEmptyLongAndBrokenLists) {
    WriteFileBytes(P("small.INI"), "[Led]\nYokoMaisuu=1\nTateMaisuu=1\n");
    WriteFileBytes(P("pics/none.alt"), "ANIMATION_QUALITY_SUPER\r\n1\r\n10\r\n");
    CliRun r = Run({"render", "--config", P("small.INI"), "--view", "animation", P("pics/none.alt"), P("n.bmp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ファイルが追加されていません\n");
    EXPECT_FALSE(fs::exists(P("n.bmp")));

    std::string longList = "ANIMATION_QUALITY_SUPER\r\n1\r\n10\r\n";
    for (int i = 0; i < 32; ++i) longList += "a.lee\r\n";
    WriteFileBytes(P("pics/long.alt"), longList);
    r = Run({"render", "--config", P("small.INI"), "--view", "animation", P("pics/long.alt"), P("long.bmp")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "ファイルが３０を超えていますので、最初の３０ファイルを表示します\n");
    EXPECT_EQ(Le32(ReadFileBytes(P("long.bmp")), 18), 30u * 96u);

    // An entry that cannot be read is reported by its name; its frame shows what the picture held.
    WriteFileBytes(P("pics/gap.alt"), "ANIMATION_QUALITY_SUPER\r\n1\r\n10\r\na.lee\r\nmissing.lee\r\n../a.lee\r\n");
    r = Run({"render", "--config", P("small.INI"), "--view", "animation", P("pics/gap.alt"), P("g%d.bmp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "オープンエラー missing.lee\nオープンエラー ../a.lee\n");
    EXPECT_EQ(ReadFileBytes(P("g0.bmp")), ReadFileBytes(P("g2.bmp")));

    r = Run({"render", "--view", "animation", P("pics/missing.alt"), P("m.bmp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, P("pics/missing.alt") + "オープンエラー\n");
    r = Run({"render", "--view", "animation", P("pics/long.alt"), P("m.jpg")});
    EXPECT_EQ(r.status, 2);
}

}  // namespace
}  // namespace tesslor
