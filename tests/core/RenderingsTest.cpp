// The demo's off-screen renderings and its frame sequence.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FileTestDoc.h"
#include "TestSupport.h"
#include "led/DemoSequence.h"
#include "platform/MemoryImage.h"

namespace tesslor {
namespace {

using test::DocUnderTest;

StartupConfig Panels(int yoko, int tate) {
    StartupConfig c;
    c.YokoMaisuu = yoko;
    c.TateMaisuu = tate;
    return c;
}

// A document laid out as the demo lays it out: 6 pixels a dot.
struct DemoDoc : DocUnderTest {
    explicit DemoDoc(StartupConfig config = {}) : DocUnderTest(config) { doc.Relayout(surface, 80); }
};

// The 6 x 6 cell with its top-left at (x, y): '#' for colour, '.' for black, '?' for anything else.
std::string Cell(const MemoryImage& img, int x, int y, Rgb colour) {
    std::string s;
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 6; ++c) {
            const Rgb p = img.GetPixel(x + c, y + r);
            s += p == colour ? '#' : p == kBlack ? '.' : '?';
        }
        s += '\n';
    }
    return s;
}

const std::string kDot =
    ".####.\n"
    "######\n"
    "######\n"
    "######\n"
    "######\n"
    ".####.\n";

std::string DarkCell() {
    std::string s;
    for (int r = 0; r < 6; ++r) s += "......\n";
    return s;
}

bool AllBlack(const MemoryImage& img, int x1, int y1, int x2, int y2) {
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x)
            if (img.GetPixel(x, y) != kBlack) return false;
    return true;
}

TEST(Renderings, SizesFollowTheConfiguredDisplayAndTheDotSize) {
    DemoDoc t(Panels(3, 2));
    MemoryImage img;
    t.doc.RenderNormal(img);
    EXPECT_EQ(img.Width(), 288);
    EXPECT_EQ(img.Height(), 192);
    const DemoWindowSize window = DemoWindowSizeFor(img.Width(), img.Height());
    EXPECT_EQ(window.width, 299);
    EXPECT_EQ(window.height, 227);
    // A display configured with no panel rows or columns still gets a window
    // that can be seen and closed.
    EXPECT_EQ(DemoClientSizeFor(480, 0), (DemoWindowSize{480, 96}));
    EXPECT_EQ(DemoClientSizeFor(0, 0), (DemoWindowSize{96, 96}));
    EXPECT_EQ(DemoWindowSizeFor(0, 480), (DemoWindowSize{107, 515}));

    t.doc.RenderReversed(img);
    EXPECT_EQ(img.Width(), 480);
    EXPECT_EQ(img.Height(), 480);
    t.doc.RenderBlank(img);
    EXPECT_EQ(img.Width(), 480);

    // At 100 % a dot is 8 pixels and every rendering scales with it.
    DocUnderTest full;
    full.doc.RenderNormal(img);
    EXPECT_EQ(img.Width(), 640);
    EXPECT_EQ(img.Height(), 640);
}

TEST(Renderings, NonPositivePanelCountsGiveAnEmptyImageNotANegativeOne) {
    DemoDoc t(Panels(0, -2));
    test::RecordingSurface surface;
    t.doc.RenderNormal(surface);
    EXPECT_EQ(surface.CallsStartingWith("Size"), (std::vector<std::string>{"Size 0x0"}));
}

TEST(Renderings, NormalDrawsEachDotAsAnEllipseInItsCellAndCutsOffTheRest) {
    DemoDoc t(Panels(3, 5));
    t.Light(0, 0, kLedRed);
    t.Light(5, 17, kLedGreen);
    t.Light(47, 79, kLedYellow);
    t.Light(48, 0, kLedRed);  // panel column 3: outside the unit's window
    MemoryImage img;
    t.doc.RenderNormal(img);
    EXPECT_EQ(Cell(img, 0, 0, kRed), kDot);
    EXPECT_EQ(Cell(img, 6, 0, kRed), DarkCell());
    EXPECT_EQ(Cell(img, 30, 102, kGreen), kDot);
    EXPECT_EQ(Cell(img, 282, 474, kYellow), kDot);
    EXPECT_EQ(img.Width(), 288);
    EXPECT_EQ(img.GetPixel(3, 3), kRed);
}

TEST(Renderings, ReversedShowsLitDotsBlackAndDarkDotsInTheReverseColour) {
    DemoDoc t(Panels(5, 2));
    t.doc.SetReverseColorByIndex(1);  // green
    t.Light(0, 0, kLedRed);
    MemoryImage img;
    t.doc.RenderReversed(img);
    EXPECT_EQ(Cell(img, 0, 0, kGreen), DarkCell());
    EXPECT_EQ(Cell(img, 6, 0, kGreen), kDot);
    EXPECT_EQ(Cell(img, 474, 186, kGreen), kDot);
    // Panel rows the display does not have stay black.
    EXPECT_TRUE(AllBlack(img, 0, 192, 480, 480));
}

TEST(Renderings, BlankIsAllBlack) {
    DemoDoc t;
    MemoryImage img(480, 480);
    img.Fill(kWhite);
    t.doc.RenderBlank(img);
    EXPECT_TRUE(AllBlack(img, 0, 0, 480, 480));
}

TEST(Renderings, ScrollStripIsBlackPictureBlack) {
    DemoDoc t;
    MemoryImage img;
    EXPECT_EQ(t.doc.ScrollStripWidth(), 480);
    t.doc.RenderScrollStrip(img);
    EXPECT_EQ(img.Width(), 960);
    EXPECT_EQ(img.Height(), 480);
    EXPECT_TRUE(AllBlack(img, 0, 0, 960, 480));

    t.Light(20, 70, kLedRed);
    EXPECT_EQ(t.doc.ScrollStripWidth(), 672);
    t.doc.RenderScrollStrip(img);
    EXPECT_EQ(t.doc.ScrollStep(), 6);
    EXPECT_EQ(img.Width(), 1152);
    EXPECT_EQ(Cell(img, 480 + 20 * 6, 70 * 6, kRed), kDot);
    EXPECT_TRUE(AllBlack(img, 0, 0, 480, 480));
    EXPECT_TRUE(AllBlack(img, 672, 0, 1152, 480));
}

// ---- the demo's frame sequence ----

TEST(DemoSequence, StillModesShowImage1AndStopTheTimer) {
    for (int mode : {0, 1, -1, 10}) {
        DemoSequence s;
        s.Start(mode, 480);
        EXPECT_TRUE(s.image1Visible) << mode;
        EXPECT_FALSE(s.image2Visible);
        EXPECT_FALSE(s.image3Visible);
        EXPECT_FALSE(s.timerEnabled);
        s.timerEnabled = true;  // a tick that arrives anyway stops the timer
        s.Tick();
        EXPECT_FALSE(s.timerEnabled);
        EXPECT_TRUE(s.image1Visible);
    }
    EXPECT_EQ(DemoKindOf(1), DemoKind::Reversed);
    EXPECT_EQ(DemoKindOf(10), DemoKind::Still);
}

TEST(DemoSequence, BlinkingAlternatesEverySecond) {
    for (int mode : {2, 3}) {
        DemoSequence s;
        s.Start(mode, 480);
        EXPECT_TRUE(s.timerEnabled);
        EXPECT_EQ(s.timerIntervalMs, 1000);
        std::string phases;
        for (int i = 0; i < 5; ++i) {
            phases += s.image1Visible ? (s.image2Visible ? 'X' : '1') : (s.image2Visible ? '2' : '-');
            s.Tick();
        }
        EXPECT_EQ(phases, "12121") << mode;
        EXPECT_FALSE(s.image3Visible);
    }
    EXPECT_EQ(DemoKindOf(3), DemoKind::BlinkReversed);
}

TEST(DemoSequence, ScrollingMovesOneDotPerTickAndWrapsAfterTheStrip) {
    for (int mode = 4; mode <= 9; ++mode) {
        DemoSequence s;
        s.Start(mode, 480);
        EXPECT_TRUE(s.image3Visible);
        EXPECT_FALSE(s.image1Visible);
        EXPECT_FALSE(s.image2Visible);
        EXPECT_EQ(s.timerIntervalMs, 16);  // a readable pace, not a literal 1 ms
        std::vector<int> offsets;
        for (int i = 0; i < 83; ++i) {
            offsets.push_back(s.image3Left);
            s.Tick();
        }
        // 0, -6, ..., -480 (81 values), then back to 0 and on.
        EXPECT_EQ(offsets[80], -480) << mode;
        EXPECT_EQ(offsets[81], 0);
        EXPECT_EQ(offsets[82], -6);
        for (int i = 1; i <= 80; ++i) EXPECT_EQ(offsets[i], offsets[i - 1] - 6);
    }

    DemoSequence wide;
    wide.Start(4, 672);
    int ticks = 0;
    do {
        wide.Tick();
        ++ticks;
    } while (wide.image3Left != 0 && ticks < 1000);
    EXPECT_EQ(ticks, 113);  // 112 steps reach -672; the next wraps
    wide.Stop();
    EXPECT_FALSE(wide.timerEnabled);
}

}  // namespace
}  // namespace tesslor
