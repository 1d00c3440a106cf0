// tesslor-cli render writes the demos as animated GIFs: the still demo in the
// picture's display mode with its timings, and the animation demo's frames.
#include <gtest/gtest.h>

#include <filesystem>

#include "CliRun.h"
#include "files/GifFile.h"

namespace tesslor {
namespace {

using test::CliRun;
using test::ReadFileBytes;
using test::RunCli;
using test::TempDir;
using test::WriteFileBytes;

std::string Picture() {
    return test::CrLfLines({"#LED_DATA_FILE", "#DATA_TYPE", "$NORMAL", "#END_OF_DATA_TYPE", "#DEFINE",
                            "$SETEI:A, , ,000", "$MAXIMUM_LINES=016", "$REVERSE_COLOR_RED", "$WRITE_TABLE_NO=01",
                            "#END_OF_DEFINE", "#RED", "$000:8000,0000,0000,0000,0000,", "#END_OF_RED", "#GREEN",
                            "#END_OF_GREEN", "#END_OF_LED_DATA_FILE"},
                           true);
}

class GifCli : public ::testing::Test {
protected:
    void SetUp() override { WriteFileBytes(P("a.lee"), Picture()); }
    CliRun Run(const std::vector<std::string>& args) { return RunCli(dir, args); }
    std::string P(const std::string& name) const { return dir.Path(name); }
    DecodedGif Gif(const std::string& name) {
        std::string error;
        std::optional<DecodedGif> gif = DecodeGif(ReadFileBytes(P(name)), &error);
        EXPECT_TRUE(gif) << name << ": " << error;
        return gif ? *gif : DecodedGif{};
    }
    TempDir dir;
};

TEST_F(GifCli, TheDemoPlaysInItsDisplayMode) {
#ifdef TESSLOR_NO_GIF
    {
        // The Windows tool has no GIF writer and says so; nothing is written.
        WriteFileBytes(P("l.alt"), "ANIMATION_QUALITY_SUPER\r\n1\r\n10\r\na.lee\r\n");
        const CliRun demo = Run({"render", "--view", "demo", P("a.lee"), P("x.gif")});
        EXPECT_EQ(demo.status, 1);
        EXPECT_EQ(demo.err, std::string(kNoGifMessage) + "\n");
        EXPECT_FALSE(std::filesystem::exists(PathOfUtf8(P("x.gif"))));
        return;
    }
#endif
    CliRun r = Run({"convert", "--mode", "C", P("a.lee"), P("blink.lee")});
    ASSERT_EQ(r.status, 0) << r.err;
    r = Run({"render", "--view", "demo", P("blink.lee"), P("blink.gif")});
    ASSERT_EQ(r.status, 0) << r.err;
    DecodedGif gif = Gif("blink.gif");
    EXPECT_EQ(gif.loopCount, 0);
    ASSERT_EQ(gif.frames.size(), 2u);
    EXPECT_EQ(gif.frames[0].delayCs, 100);
    EXPECT_EQ(gif.frames[1].delayCs, 100);
    EXPECT_EQ(gif.width, 480);
    // The red dot at the top left shows in the first phase only.
    EXPECT_EQ(gif.frames[0].image.GetPixel(3, 3), kRed);
    EXPECT_NE(gif.frames[1].image.GetPixel(3, 3), kRed);

    r = Run({"convert", "--mode", "S", P("a.lee"), P("scroll.lee")});
    ASSERT_EQ(r.status, 0) << r.err;
    r = Run({"render", "--view", "demo", P("scroll.lee"), P("scroll.gif")});
    ASSERT_EQ(r.status, 0) << r.err;
    gif = Gif("scroll.gif");
    ASSERT_GT(gif.frames.size(), 10u);
    int total = 0;
    for (const GifFrame& f : gif.frames) {
        EXPECT_GE(f.delayCs, 3);
        EXPECT_LE(f.delayCs, 4);
        total += f.delayCs;
    }
    EXPECT_NEAR(total, gif.frames.size() * 3.2, 1.0);
    EXPECT_NE(gif.frames[0].image.Pixels(), gif.frames[1].image.Pixels());

    r = Run({"render", "--view", "demo", P("a.lee"), P("still.gif")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Gif("still.gif").frames.size(), 1u);
}

TEST_F(GifCli, AnimationFramesAndRefusals) {
#ifdef TESSLOR_NO_GIF
    {
        // The Windows tool has no GIF writer and says so; nothing is written.
        WriteFileBytes(P("l.alt"), "ANIMATION_QUALITY_SUPER\r\n1\r\n10\r\na.lee\r\n");
        const CliRun demo = Run({"render", "--view", "animation", P("l.alt"), P("x.gif")});
        EXPECT_EQ(demo.status, 1);
        EXPECT_EQ(demo.err, std::string(kNoGifMessage) + "\n");
        EXPECT_FALSE(std::filesystem::exists(PathOfUtf8(P("x.gif"))));
        return;
    }
#endif
    WriteFileBytes(P("l.alt"), "ANIMATION_QUALITY_SUPER\r\n1\r\n10\r\na.lee\r\na.lee\r\na.lee\r\n");
    CliRun r = Run({"render", "--view", "animation", P("l.alt"), P("anim.gif")});
    ASSERT_EQ(r.status, 0) << r.err;
    r = Run({"render", "--view", "animation", P("l.alt"), P("f%d.png")});
    ASSERT_EQ(r.status, 0) << r.err;
    const DecodedGif gif = Gif("anim.gif");
    ASSERT_EQ(gif.frames.size(), 3u);
    for (const GifFrame& f : gif.frames) EXPECT_EQ(f.delayCs, 10);
    EXPECT_EQ(gif.frames[2].image.GetPixel(3, 3), kRed);

    // The demo as it plays is only a GIF; a folder cannot be written.
    r = Run({"render", "--view", "demo", P("a.lee"), P("demo.png")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(".gif"), std::string::npos);
    std::filesystem::create_directory(P("dir.gif"));
    r = Run({"render", "--view", "demo", P("a.lee"), P("dir.gif")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("書き込めませんでした"), std::string::npos);
}

}  // namespace
}  // namespace tesslor
