// Paint-program edits on the picture's dots, and undo and redo of them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "FileTestDoc.h"
#include "led/PictureDots.h"
#include "led/DocumentHistory.h"

namespace tesslor {
namespace {

int Lit(const PictureDots& dots) {
    int n = 0;
    for (LedColor c : dots.Codes()) n += c != kOff;
    return n;
}

PictureDots Random(unsigned seed, int percent = 50) {
    std::mt19937 rng(seed);
    PictureDots dots;
    for (LedColor& c : dots.Codes()) c = static_cast<LedColor>(static_cast<int>(rng() % 100) < percent ? 1 + rng() % 3 : 0);
    return dots;
}

TEST(PictureLines, LinesHaveNoGapsAndConstrainToEightDirections) {
    for (const auto& [a, b] : std::vector<std::pair<Point, Point>>{
             {{0, 0}, {479, 79}}, {{10, 70}, {12, 0}}, {{300, 5}, {3, 6}}, {{7, 7}, {7, 7}}}) {
        std::vector<Point> path;
        ForEachLineDot(a, b, [&](Point p) { path.push_back(p); });
        ASSERT_EQ(path.front(), a);
        ASSERT_EQ(path.back(), b);
        EXPECT_EQ(path.size(), static_cast<std::size_t>(std::max(std::abs(b.x - a.x), std::abs(b.y - a.y)) + 1));
        for (std::size_t i = 1; i < path.size(); ++i) {
            EXPECT_LE(std::abs(path[i].x - path[i - 1].x), 1);
            EXPECT_LE(std::abs(path[i].y - path[i - 1].y), 1);
        }
    }
    EXPECT_EQ(ConstrainedEnd({10, 10}, {40, 14}), (Point{40, 10}));
    EXPECT_EQ(ConstrainedEnd({10, 10}, {12, -30}), (Point{10, -30}));
    EXPECT_EQ(ConstrainedEnd({10, 10}, {30, 27}), (Point{30, 30}));
    EXPECT_EQ(ConstrainedEnd({10, 10}, {-5, 20}), (Point{-5, 25}));

    PictureDots dots;
    DrawLine(dots, {-1000000, 40}, {1000000, 40}, kLedGreen);  // cut by the edges
    EXPECT_EQ(Lit(dots), 480);
    EXPECT_EQ(dots.Get(0, 40), kLedGreen);
}

TEST(PictureShapes, RectanglesAndFloodFill) {
    PictureDots dots;
    DrawRectangle(dots, {20, 10}, {10, 5}, kLedRed, false);
    EXPECT_EQ(Lit(dots), 2 * 11 + 2 * 4);
    EXPECT_EQ(dots.Get(15, 7), kOff);
    // Filling inside stays inside the outline; outside fills the rest.
    EXPECT_EQ(FloodFill(dots, {15, 7}, kLedYellow), 9 * 4);
    EXPECT_EQ(dots.Get(10, 5), kLedRed);
    EXPECT_EQ(FloodFill(dots, {0, 0}, kLedGreen), 38400 - 11 * 6);
    EXPECT_EQ(FloodFill(dots, {0, 0}, kLedGreen), 0);  // already that colour
    EXPECT_EQ(FloodFill(dots, {480, 0}, kLedRed), 0);

    PictureDots filled;
    DrawRectangle(filled, {-5, -5}, {600, 600}, kLedRed, true);
    EXPECT_EQ(Lit(filled), 38400);

    // The whole picture in one go, and only the display's rows.
    PictureDots empty;
    EXPECT_EQ(FloodFill(empty, {100, 10}, kLedRed), 38400);
    PictureDots twoRows;
    EXPECT_EQ(FloodFill(twoRows, {0, 0}, kLedRed, 32), 480 * 32);
    EXPECT_EQ(twoRows.Get(0, 32), kOff);
    EXPECT_EQ(FloodFill(twoRows, {0, 40}, kLedRed, 32), 0);
}

TEST(PictureTransforms, ShiftsFlipsAndSwap) {
    PictureDots dots;
    dots.Set(0, 0, kLedRed);
    dots.Set(479, 79, kLedGreen);
    dots.Set(5, 6, kLedYellow);
    PictureDots right = dots;
    ShiftPicture(right, 1, 0);
    EXPECT_EQ(right.Get(1, 0), kLedRed);
    EXPECT_EQ(right.Get(6, 6), kLedYellow);
    EXPECT_EQ(Lit(right), 2);  // the green dot fell off the edge
    ShiftPicture(right, -1, 0);
    EXPECT_EQ(right.Get(0, 0), kLedRed);
    EXPECT_EQ(right.Get(479, 79), kOff);
    PictureDots far = dots;
    ShiftPicture(far, 2147483647, -2147483647 - 1);
    EXPECT_EQ(Lit(far), 0);

    PictureDots flipped = dots;
    FlipHorizontally(flipped, 32);
    EXPECT_EQ(flipped.Get(31, 0), kLedRed);
    EXPECT_EQ(flipped.Get(26, 6), kLedYellow);
    EXPECT_EQ(flipped.Get(479, 79), kLedGreen);  // beyond the used width
    FlipVertically(flipped, 32);
    EXPECT_EQ(flipped.Get(31, 31), kLedRed);
    EXPECT_EQ(flipped.Get(26, 25), kLedYellow);
    FlipVertically(flipped, 32);
    FlipHorizontally(flipped, 32);
    EXPECT_EQ(flipped, dots);

    SwapRedGreen(dots);
    EXPECT_EQ(dots.Get(0, 0), kLedGreen);
    EXPECT_EQ(dots.Get(479, 79), kLedRed);
    EXPECT_EQ(dots.Get(5, 6), kLedYellow);
}

TEST(PictureTransforms, DisabledRowsStayDarkInTheDocument) {
    test::DocUnderTest t(StartupConfig{2, 2, 5, "root"});
    PictureDots all;
    DrawRectangle(all, {0, 0}, {479, 79}, kLedYellow, true);
    EXPECT_EQ(ApplyPicture(t.doc, all), 480 * 32);
    EXPECT_EQ(t.doc.DotColor(0, 31), kLedYellow);
    EXPECT_EQ(t.doc.DotColor(0, 32), kOff);
    EXPECT_EQ(CapturePicture(t.doc).Get(0, 31), kLedYellow);
    EXPECT_EQ(UsedWidth(t.doc), 480);
    EXPECT_EQ(UsedRows(t.doc), 32);
    EXPECT_EQ(ApplyPicture(t.doc, all), 0);
}

// Undo steps of the document's history keep only the changed dots, packed;
// every kind of change must come back exactly.
DocumentState WithDots(const PictureDots& dots) {
    DocumentState s;
    s.dots = dots;
    return s;
}

TEST(PictureUndo, EveryStepComesBackExactlyAndTheSavedStateIsKnown) {
    PictureDots picture = Random(1);
    DocumentHistory history;
    history.Reset(WithDots(picture), true);
    std::vector<PictureDots> states{picture};
    for (int step = 0; step < 6; ++step) {
        PictureDots next = picture;
        switch (step % 3) {
            case 0: next.Set(step * 7, step, static_cast<LedColor>((next.Get(step * 7, step) + 1) & 3)); break;  // one dot
            case 1: ShiftPicture(next, 1, 0); break;                          // the whole picture
            case 2: DrawLine(next, {0, step}, {479, 79 - step}, kLedGreen); break;
        }
        history.Record(WithDots(next));
        picture = next;
        states.push_back(picture);
    }
    EXPECT_FALSE(history.AtSavedState());
    for (int i = 5; i >= 0; --i) {
        ASSERT_TRUE(history.Undo());
        ASSERT_EQ(history.Current().dots, states[i]) << i;
    }
    EXPECT_TRUE(history.AtSavedState());
    EXPECT_FALSE(history.Undo());
    for (int i = 1; i <= 6; ++i) {
        ASSERT_TRUE(history.Redo());
        ASSERT_EQ(history.Current().dots, states[i]) << i;
    }
    EXPECT_FALSE(history.Redo());

    // Saved in the middle, then a new step after undoing past it: unreachable.
    history.Undo();
    history.Undo();
    history.Hold(history.Current(), history.Current().fileName);
    history.Record(history.Current());
    history.Redo();
    EXPECT_FALSE(history.AtSavedState());
    history.Undo();
    EXPECT_TRUE(history.AtSavedState());
    history.Undo();
    PictureDots other = history.Current().dots;
    other.Set(0, 0, kLedYellow ^ other.Get(0, 0));
    history.Record(WithDots(other));
    EXPECT_FALSE(history.CanRedo());
    history.Undo();
    EXPECT_FALSE(history.AtSavedState());

    history.Record(history.Current());  // no change, no step
    EXPECT_EQ(history.StepCount(), 4u);  // three kept, the replaced ones gone, one new
}

TEST(PictureUndo, StepsAreSmallAndBounded) {
    const PictureDots one;
    PictureDots oneMore = one;
    oneMore.Set(400, 70, kLedRed);
    EXPECT_LE(DotChange::Between(one, oneMore).Bytes(), 3u);

    // A picture-wide transform of a full picture: at most 2 bytes a changed dot.
    const PictureDots full = Random(7, 60);
    PictureDots shifted = full;
    ShiftPicture(shifted, 1, 0);
    int changed = 0;
    for (std::size_t i = 0; i < PictureDots::kCount; ++i) changed += full.Codes()[i] != shifted.Codes()[i];
    DocumentHistory big;
    big.Reset(WithDots(full), true);
    big.Record(WithDots(shifted));
    EXPECT_LE(big.MemoryBytes(), 2u * changed);

    // Only the newest 100 steps are kept.
    DocumentHistory history(100);
    PictureDots p;
    history.Reset(WithDots(p), true);
    for (int i = 0; i < 150; ++i) {
        p.Set(i, 0, kLedRed);
        history.Record(WithDots(p));
    }
    EXPECT_EQ(history.StepCount(), 100u);
    int undone = 0;
    while (history.Undo()) ++undone;
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(history.Current().dots.Get(49, 0), kLedRed);
    EXPECT_EQ(history.Current().dots.Get(50, 0), kOff);
    EXPECT_FALSE(history.AtSavedState());

    // A byte budget keeps the newest step however big.
    DocumentHistory tight(100, 1000);
    tight.Reset(WithDots(one), true);
    tight.Record(WithDots(full));
    tight.Record(WithDots(shifted));
    EXPECT_EQ(tight.StepCount(), 1u);
}

}  // namespace
}  // namespace tesslor
