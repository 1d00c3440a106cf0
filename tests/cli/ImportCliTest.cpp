// tesslor-cli import: images written here byte by byte (a 24-bit BMP) or
// pixel by pixel through giflib come out as the exact picture file, or as an
// animation with its frames; broken input writes nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>

#include "CliRun.h"
#include "BmpBytes.h"
#include "GifBytes.h"

namespace tesslor {
namespace {

using test::CliRun;
using test::ReadFileBytes;
using test::RunCli;
using test::TempDir;
using test::WriteFileBytes;

using test::bmpbytes::Bmp;

// The picture file the unit reads (its first panel column, the way a new
// picture is written), with the lit columns' words: {column, word of each panel row}.
using Columns = std::map<int, std::string>;
std::string Lee(const Columns& red, const Columns& green, const char* writeNo = "1") {
    std::vector<std::string> lines{"#LED_DATA_FILE", "#DATA_TYPE", "$NORMAL", "#END_OF_DATA_TYPE", "#DEFINE",
                                   "$SETEI:A, , ,000", "$MAXIMUM_LINES=016", "$REVERSE_COLOR_RED",
                                   std::string("$WRITE_TABLE_NO=") + writeNo, "#END_OF_DEFINE"};
    for (const auto& [open, words] : {std::pair{"#RED", &red}, std::pair{"#GREEN", &green}}) {
        lines.push_back(open);
        for (int c = 0; c < 16; ++c) {
            const auto it = words->find(c);
            char head[8];
            std::snprintf(head, sizeof head, "$%03d:", c);
            lines.push_back(head + (it == words->end() ? std::string("0000") : it->second) + ",0000,0000,0000,0000,");
        }
        lines.push_back(std::string("#END_OF_") + (open + 1));
    }
    lines.push_back("#END_OF_LED_DATA_FILE");
    return test::CrLfLines(lines, true);
}

class ImportCli : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef TESSLOR_NO_QT
        GTEST_SKIP() << "a tool built without Qt has no image readers";
#endif
    }
    CliRun Run(const std::vector<std::string>& args) { return RunCli(dir, args); }
    std::string P(const std::string& name) const { return dir.Path(name); }
    std::size_t Files() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir.Dir()), {}));
    }
    TempDir dir;
};

TEST_F(ImportCli, ABitmapBecomesTheExactPicture) {
    // Row 0: red, green, white; row 1: grey 127 (below T), red 128 (at T), black.
    WriteFileBytes(P("in.bmp"), Bmp({{{255, 0, 0}, {0, 255, 0}, {255, 255, 255}}, {{127, 127, 127}, {128, 0, 0}, {0, 0, 0}}}));
    CliRun r = Run({"import", "--write-no", "7", P("in.bmp"), P("out.lee")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(P("out.lee")), Lee({{0, "8000"}, {1, "4000"}, {2, "8000"}}, {{1, "8000"}, {2, "8000"}}, "7"));
    // Inverted, one colour, placed at (1, 1): dark pixels light in orange.
    r = Run({"import", "--color", "orange", "--invert", "--x", "1", "--y", "1", P("in.bmp"), P("inv.lee")});
    ASSERT_EQ(r.status, 0) << r.err;
    // Brightness below 128: pure red (76.2) at (1, 1); grey 127 at (1, 2), red 128 (38.3) at (2, 2), black at (3, 2).
    const Columns lit{{1, "6000"}, {2, "2000"}, {3, "2000"}};
    EXPECT_EQ(ReadFileBytes(P("inv.lee")), Lee(lit, lit));
}

TEST_F(ImportCli, BadInputWritesNothingAndUsageErrorsAreTwo) {
    WriteFileBytes(P("in.bmp"), Bmp({{{255, 0, 0}}}));
    WriteFileBytes(P("broken.png"), "\x89PNG\r\n\x1a\n broken");
    WriteFileBytes(P("huge.bmp"), Bmp({{}}, 9000));
    const std::size_t before = Files();
    CliRun r = Run({"import", P("missing.png"), P("out.lee")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tesslor-cli: ファイル " + P("missing.png") + " を読み込めませんでした\n");
    r = Run({"import", P("broken.png"), P("out.lee")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tesslor-cli: ファイル " + P("broken.png") + " は画像として読めません（PNG、JPEG、GIF、BMP などを読めます）\n");
    r = Run({"import", P("huge.bmp"), P("out.alt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tesslor-cli: ファイル " + P("huge.bmp") +
                         ": 画像が大きすぎます（9000 × 1、読み込めるのは 8192 × 8192 まで）\n");
    r = Run({"import", "--write-no", "200", P("in.bmp"), P("out.lee")});
    EXPECT_EQ(r.status, 1) << "a write number the customer mode refuses";
    EXPECT_EQ(Files(), before) << "nothing was written";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"import", P("in.bmp"), P("out.txt")},
          {"import", "--threshold", "256", P("in.bmp"), P("out.lee")},
          {"import", "--dither", "random", P("in.bmp"), P("out.lee")},
          {"import", "--color", "blue", P("in.bmp"), P("out.lee")},
          {"import", P("in.bmp")}})
        EXPECT_EQ(Run(args).status, 2) << args.back();
    EXPECT_EQ(Files(), before);
}

#ifndef TESSLOR_NO_GIF
using namespace test::gifbytes;

TEST_F(ImportCli, AnAnimatedGifBecomesAnAnimation) {
    WriteFileBytes(P("walk.gif"), MakeGif(2, 1, {{0, 0, 2, 1, {kR, kK}, DISPOSE_DO_NOT, 5},
                                                  {1, 0, 1, 1, {kG}, DISPOSE_DO_NOT, 20},
                                                  {0, 0, 1, 1, {kK}, DISPOSE_DO_NOT, 30}}));
    CliRun r = Run({"import", "--write-no", "3", P("walk.gif"), P("walk.alt")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(P("walk.alt")), "ANIMATION_QUALITY_SUPER\r\n3\r\n20\r\nwalk_01.lee\r\nwalk_02.lee\r\nwalk_03.lee\r\n");
    // Each frame composed over the one before.
    EXPECT_EQ(ReadFileBytes(P("walk_01.lee")), Lee({{0, "8000"}}, {}));
    EXPECT_EQ(ReadFileBytes(P("walk_02.lee")), Lee({{0, "8000"}}, {{1, "8000"}}));
    EXPECT_EQ(ReadFileBytes(P("walk_03.lee")), Lee({}, {{1, "8000"}}));
    EXPECT_EQ(Run({"check", P("walk.ana")}).status, 0);
    // A .lee takes the first frame.
    ASSERT_EQ(Run({"import", P("walk.gif"), P("first.lee")}).status, 0);
    EXPECT_EQ(ReadFileBytes(P("first.lee")), ReadFileBytes(P("walk_01.lee")));
}

TEST_F(ImportCli, AGifWithoutAFrameIsNoPicture) {
    // Found by fuzz_image: the tool took the first of no frames and crashed.
    WriteFileBytes(P("empty.gif"), MakeGif(2, 1, {}));
    for (const char* out : {"out.lee", "out.alt"}) {
        const CliRun r = Run({"import", P("empty.gif"), P(out)});
        EXPECT_EQ(r.status, 1) << out;
        EXPECT_EQ(r.err, "tesslor-cli: ファイル " + P("empty.gif") + " は画像として読めません（PNG、JPEG、GIF、BMP などを読めます）\n");
    }
    EXPECT_EQ(Files(), 1u);
    // A frame that lights no dot: animation data cannot take it; named, nothing written.
    WriteFileBytes(P("blink.gif"), MakeGif(1, 1, {{0, 0, 1, 1, {kR}, DISPOSE_DO_NOT, 50},
                                                   {0, 0, 1, 1, {kK}, DISPOSE_DO_NOT, 50}}));
    const CliRun dark = Run({"import", P("blink.gif"), P("blink.alt")});
    EXPECT_EQ(dark.status, 1);
    EXPECT_EQ(dark.err.rfind("tesslor-cli: 2 枚目（blink_02.lee）には点灯する点がありません。", 0), 0u) << dark.err;
    EXPECT_EQ(Files(), 2u);
}

TEST_F(ImportCli, FramesPastThirtyAreLeftOutWithANotice) {
    std::vector<Part> parts;
    for (int k = 0; k < 32; ++k) parts.push_back({0, 0, 1, 1, {k % 2 ? kR : kG}, DISPOSE_DO_NOT, 10});
    WriteFileBytes(P("long.gif"), MakeGif(1, 1, parts));
    CliRun r = Run({"import", P("long.gif"), P("long.alt")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "注意: 32 枚のうち初めの 30 枚を取り込みました（スーパーアニメーションは 30 枚まで）\n");
    EXPECT_TRUE(std::filesystem::exists(P("long_30.lee")));
    EXPECT_FALSE(std::filesystem::exists(P("long_31.lee")));
}
#endif

}  // namespace
}  // namespace tesslor
