// The magnification list's steps and the scroll that keeps the dot under the
// pointer where it was.
#include <gtest/gtest.h>

#include "app/Magnification.h"

namespace tesslor {
namespace {

TEST(Magnification, StepsStayInTheListAndTextsWithoutANumberMean100) {
    struct Case {
        int index, steps, expected;
    };
    for (const Case& c : {Case{3, 1, 4}, Case{3, -3, 0}, Case{0, -1, 0}, Case{9, 1, 9}, Case{5, 100, 9},
                          Case{5, -2147483647 - 1, 0}, Case{4, 2147483647, 9}})
        EXPECT_EQ(SteppedMagnificationIndex(c.index, c.steps), c.expected) << c.index << " " << c.steps;
    EXPECT_EQ(kMagnifications[kDefaultMagnificationIndex], 100);
    EXPECT_EQ(MagnificationOf("400"), 400);
    EXPECT_EQ(MagnificationOf("abc"), 100);
    EXPECT_EQ(MagnificationOf("0"), 100);
    EXPECT_EQ(MagnificationOf("-25"), 100);
}

TEST(Magnification, TheDotUnderThePointerStaysUnderIt) {
    // Pixel 200 of a pitch-19 area at viewport x 50: at pitch 38 it lies at
    // 400, so the view scrolls to 400 + offset - 50.
    EXPECT_EQ(ScrollKeepingPointer({200, 100}, 19, 38, {1, 7}, {50, 30}), (Point{351, 177}));
    EXPECT_EQ(ScrollKeepingPointer({200, 100}, 38, 19, {1, 7}, {50, 30}), (Point{51, 27}));
    EXPECT_EQ(ScrollKeepingPointer({10, 10}, 0, 19, {0, 0}, {10, 10}), (Point{0, 0}));  // no layout yet
}

}  // namespace
}  // namespace tesslor
