// Animated GIFs: frames, delays, colours and the loop survive a round trip
// through giflib, and bad input is refused with a reason.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "files/GifFile.h"

namespace tesslor {
namespace {

MemoryImage Frame(Rgb fill, Rgb dot, int x, int y) {
    MemoryImage image(40, 12);
    image.Fill(fill);
    image.SetPixel(x, y, dot);
    return image;
}

TEST(GifFile, FramesDelaysAndColoursComeBack) {
#ifdef TESSLOR_NO_GIF
    GTEST_SKIP() << "built without giflib";
#endif
    std::vector<GifFrame> frames{{Frame(kBlack, kRed, 0, 0), 100},
                                 {Frame(kBlack, kGreen, 39, 11), 3},
                                 {Frame(kYellow, kBlue, 20, 6), 65535}};
    std::string error;
    const std::optional<std::string> bytes = EncodeAnimatedGif(frames, &error);
    ASSERT_TRUE(bytes) << error;
    EXPECT_EQ(bytes->substr(0, 6), "GIF89a");
    const std::optional<DecodedGif> back = DecodeGif(*bytes, &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(back->width, 40);
    EXPECT_EQ(back->height, 12);
    EXPECT_EQ(back->loopCount, 0);
    ASSERT_EQ(back->frames.size(), 3u);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(back->frames[k].delayCs, frames[k].delayCs);
        EXPECT_EQ(back->frames[k].image.Pixels(), frames[k].image.Pixels()) << k;
    }
}

TEST(GifFile, ManyColoursTakeTheNearestAndBadInputIsRefused) {
#ifdef TESSLOR_NO_GIF
    GTEST_SKIP() << "built without giflib";
#endif
    MemoryImage ramp(300, 1);
    // 300 colours; each of the last 44 has a twin one blue step away among the first 256.
    for (int x = 0; x < 300; ++x) ramp.SetPixel(x, 0, Rgb{static_cast<std::uint8_t>(x % 150), 0, static_cast<std::uint8_t>(x / 150)});
    const std::optional<std::string> bytes = EncodeAnimatedGif({{ramp, 5}});
    ASSERT_TRUE(bytes);
    const std::optional<DecodedGif> back = DecodeGif(*bytes);
    ASSERT_TRUE(back);
    for (int x = 0; x < 256; ++x) EXPECT_EQ(back->frames[0].image.GetPixel(x, 0), ramp.GetPixel(x, 0));
    // Past 256 colours: a near one, not a wild one.
    const Rgb got = back->frames[0].image.GetPixel(299, 0), wanted = ramp.GetPixel(299, 0);
    EXPECT_EQ(got, (Rgb{149, 0, 0}));
    EXPECT_EQ(wanted, (Rgb{149, 0, 1}));

    std::string error;
    EXPECT_FALSE(EncodeAnimatedGif({}, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(EncodeAnimatedGif({{MemoryImage(2, 2), 1}, {MemoryImage(3, 2), 1}}, &error));
    EXPECT_FALSE(EncodeAnimatedGif({{MemoryImage(0, 0), 1}}, &error));
    EXPECT_FALSE(DecodeGif("GIF89a", &error));
    EXPECT_FALSE(DecodeGif("not a gif at all", &error));
    std::string cut = *bytes;
    cut.resize(cut.size() / 2);
    EXPECT_FALSE(DecodeGif(cut, &error));
}

TEST(GifFile, WritesWholeOrNotAtAll) {
#ifdef TESSLOR_NO_GIF
    GTEST_SKIP() << "built without giflib";
#endif
    test::TempDir dir;
    test::FailingFileSystem files;
    const std::string path = dir.Path("demo.gif");
    test::WriteFileBytes(path, "earlier");
    files.failAtWrite = 1;
    std::string error;
    EXPECT_FALSE(WriteAnimatedGif(files, path, {{Frame(kBlack, kRed, 1, 1), 10}}, &error));
    EXPECT_EQ(error, "ファイル " + path + " に書き込めませんでした");
    EXPECT_EQ(test::ReadFileBytes(path), "earlier");
    files.failAtWrite = 0;
    EXPECT_TRUE(WriteAnimatedGif(files, path, {{Frame(kBlack, kRed, 1, 1), 10}}, &error));
    EXPECT_EQ(test::ReadFileBytes(path).substr(0, 6), "GIF89a");
}

}  // namespace
}  // namespace tesslor
