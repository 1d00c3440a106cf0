// A GIF's frames as a browser shows them, for import: each frame drawn over the
// screen before it, its transparent colour showing through, cut at the
// screen's edge, and disposal 2 and 3 undone after it. The GIFs are written
// here pixel by pixel through giflib's encoder, not through the code under test.
#include <gtest/gtest.h>

#include "GifBytes.h"
#include "files/GifFile.h"

namespace tesslor {
namespace {

#ifndef TESSLOR_NO_GIF
using namespace test::gifbytes;

// A screen as text, one letter a pixel: . transparent, K R G W the colours.
std::string Picture(const RgbaImage& s) {
    std::string text;
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            const std::uint8_t* p = s.Pixel(x, y);
            if (p[3] == 0) text += '.';
            else if (p[0] == 255 && p[1] == 255) text += 'W';
            else if (p[0] == 255) text += 'R';
            else if (p[1] == 255) text += 'G';
            else text += 'K';
        }
        text += '/';
    }
    return text;
}
#endif

TEST(GifImport, FramesAreComposedAsABrowserShowsThem) {
#ifdef TESSLOR_NO_GIF
    GTEST_SKIP() << "built without giflib";
#else
    const std::string gif = MakeGif(4, 2, {
        {0, 0, 4, 2, {kR, kR, kR, kR, kR, kR, kR, kR}, DISPOSE_DO_NOT, 10},
        {1, 0, 1, 1, {kG}, DISPOSE_BACKGROUND, 20},        // cleared after it is shown
        {2, 1, 2, 1, {kW, kK}, DISPOSE_PREVIOUS, 30, kW},  // W is transparent here; put back after
        {3, 0, 1, 1, {kW}, DISPOSAL_UNSPECIFIED, 40},
        {3, 1, 3, 1, {kG, kG, kG}, DISPOSAL_UNSPECIFIED, 0},  // runs off the screen
    });
    std::vector<std::string> shown;
    std::vector<int> delays;
    std::string error;
    ASSERT_TRUE(ForEachGifFrame(gif, [&](const RgbaImage& s, int delay) {
        shown.push_back(Picture(s));
        delays.push_back(delay);
        return true;
    }, &error)) << error;
    EXPECT_EQ(shown, (std::vector<std::string>{"RRRR/RRRR/", "RGRR/RRRR/", "R.RR/RRRK/", "R.RW/RRRR/", "R.RW/RRRG/"}));
    EXPECT_EQ(delays, (std::vector<int>{10, 20, 30, 40, 0}));

    // The caller may stop after any frame.
    int calls = 0;
    EXPECT_TRUE(ForEachGifFrame(gif, [&](const RgbaImage&, int) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
#endif
}

TEST(GifImport, LargeScreensAndBrokenBytesAreRefused) {
#ifdef TESSLOR_NO_GIF
    GTEST_SKIP() << "built without giflib";
#else
    const auto none = [](const RgbaImage&, int) { return true; };
    std::string error;
    // Refused from the screen's declared size, before a frame is read.
    EXPECT_FALSE(ForEachGifFrame(MakeGif(8193, 1, {}), none, &error));
    EXPECT_EQ(error, "画像が大きすぎます（8193 × 1、読み込めるのは 8192 × 8192 まで）");
    EXPECT_FALSE(ForEachGifFrame("not a gif", none, &error));
    EXPECT_FALSE(error.empty());
    // Cut short: the frames before the cut were given, then false.
    std::string gif = MakeGif(2, 1, {{0, 0, 2, 1, {kR, kG}}, {0, 0, 2, 1, {kG, kR}}});
    gif.resize(gif.size() - 8);
    int calls = 0;
    EXPECT_FALSE(ForEachGifFrame(gif, [&](const RgbaImage&, int) { return ++calls > 0; }, &error));
    EXPECT_EQ(calls, 1);
#endif
}

}  // namespace
}  // namespace tesslor
