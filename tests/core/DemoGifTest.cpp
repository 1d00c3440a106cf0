// The demos as GIF frames: what each display mode shows, for how long, and
// that a scroll makes exactly one pass at the demo's pace.
#include <gtest/gtest.h>

#include "FileTestDoc.h"
#include "files/GifFile.h"
#include "led/DemoGif.h"
#include "led/DemoSequence.h"

namespace tesslor {
namespace {

struct DemoDoc : test::DocUnderTest {
    explicit DemoDoc(int mode, StartupConfig config = {}) : DocUnderTest(config) {
        Light(0, 0, kLedRed);
        Light(20, 5, kLedGreen);
        doc.SetDisplayModeByIndex(mode);
        doc.Relayout(surface, 80);
    }
};

TEST(DemoGif, StillAndBlinkingModesShowTheirImagesForTheirTime) {
#ifdef TESSLOR_NO_GIF
    GTEST_SKIP() << "built without giflib";
#endif
    DemoDoc still(0);
    std::vector<GifFrame> frames = DemoGifFrames(still.doc);
    ASSERT_EQ(frames.size(), 1u);
    MemoryImage normal;
    still.doc.RenderNormal(normal);
    EXPECT_EQ(frames[0].image.Pixels(), normal.Pixels());

    DemoDoc blink(2);
    frames = DemoGifFrames(blink.doc);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].delayCs, 100);
    EXPECT_EQ(frames[1].delayCs, 100);
    MemoryImage blank;
    blink.doc.RenderBlank(blank);
    EXPECT_EQ(frames[0].image.Pixels(), normal.Pixels());
    EXPECT_EQ(frames[1].image.Pixels(), blank.Pixels());
    ASSERT_TRUE(EncodeAnimatedGif(frames));

    DemoDoc none(0, StartupConfig{2, 0, 0, "root"});
    EXPECT_TRUE(DemoGifFrames(none.doc).empty());
}

TEST(DemoGif, AScrollMakesOnePassAtTheDemoPace) {
#ifdef TESSLOR_NO_GIF
    GTEST_SKIP() << "built without giflib";
#endif
    DemoDoc scroll(4);
    const std::vector<GifFrame> frames = DemoGifFrames(scroll.doc);
    // The ticks of one pass, as the demo window counts them.
    DemoSequence sequence;
    sequence.Start(4, scroll.doc.ScrollStripWidth(), scroll.doc.ScrollStep());
    int ticks = 0;
    do {
        sequence.Tick();
        ++ticks;
    } while (sequence.image3Left != 0);
    ASSERT_EQ(frames.size(), static_cast<std::size_t>((ticks + 1) / 2));
    int totalCs = 0;
    for (const GifFrame& f : frames) {
        EXPECT_GE(f.delayCs, 2);
        totalCs += f.delayCs;
    }
    EXPECT_NEAR(totalCs, frames.size() * 32 / 10.0, 1.0);
    // Frame k shows the strip moved 2k steps left.
    MemoryImage strip;
    scroll.doc.RenderScrollStrip(strip);
    const int step = scroll.doc.ScrollStep();
    for (const std::size_t k : {std::size_t{0}, std::size_t{1}, frames.size() / 2}) {
        const int left = -static_cast<int>(2 * k) * step;
        for (int x = 0; x < frames[k].image.Width(); x += 7)
            ASSERT_EQ(frames[k].image.GetPixel(x, 10), strip.GetPixel(x - left, 10)) << k << " " << x;
    }
    std::string error;
    const std::optional<std::string> gif = EncodeAnimatedGif(frames, &error);
    ASSERT_TRUE(gif) << error;
    const std::optional<DecodedGif> back = DecodeGif(*gif);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->frames.size(), frames.size());
    EXPECT_EQ(back->frames.back().image.Pixels(), frames.back().image.Pixels());
}

TEST(DemoGif, DelaysKeepTheDemoPaceAboveTheViewersFloor) {
    EXPECT_EQ(FrameDelaysCs(5, 32), (std::vector<int>{3, 3, 4, 3, 3}));
    EXPECT_EQ(FrameDelaysCs(2, 1000), (std::vector<int>{100, 100}));
    EXPECT_EQ(FrameDelaysCs(3, 100), (std::vector<int>{10, 10, 10}));
    for (int d : FrameDelaysCs(10, 5)) EXPECT_GE(d, 2);
    int total = 0;
    for (int d : FrameDelaysCs(100, 32)) total += d;
    EXPECT_EQ(total, 320);
}

// The unit never reads a GIF: only the shown file's name is kept, in the
// folder given, whichever separator that folder is spelt with.
TEST(DemoGif, TheProposedNameKeepsOnlyTheShownFilesName) {
    EXPECT_EQ(GifPathFor("", "/home/u/Pictures"), "");
    EXPECT_EQ(GifPathFor("/media/u/CARD/kion.lee", "/home/u/Pictures"), "/home/u/Pictures/kion.gif");
    EXPECT_EQ(GifPathFor("E:\\walk.alt", "C:\\Users\\u\\Pictures"), "C:\\Users\\u\\Pictures\\walk.gif");
    EXPECT_EQ(GifPathFor("E:\\sign", "/p"), "/p/sign.gif");
}

}  // namespace
}  // namespace tesslor
