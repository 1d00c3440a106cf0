// The magnification list's steps and the scroll that keeps the dot under the
// pointer where it was.
#include <gtest/gtest.h>

#include <algorithm>

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

// 全体表示: the widest layout that fits, checked against the layout's own sizes.
TEST(Magnification, FitIsTheLargestLayoutNoWiderThanTheArea) {
    const auto width = [](int percent) { return (16 * std::max(1, percent * 8 / 100) + 3) * 30 + 23; };
    for (const int area : {0, 100, 592, 593, 594, 1072, 1073, 1366, 1920, 38513, 100000}) {
        const int fit = FitMagnification(area);
        SCOPED_TRACE(area);
        EXPECT_GE(fit, 1);
        if (width(fit) > area) {
            EXPECT_EQ(width(fit), 593) << "only the smallest layout may be wider than the area";
        }
        // One dot more would not fit.
        const int dot = std::max(1, fit * 8 / 100);
        EXPECT_GT((16 * (dot + 1) + 3) * 30 + 23, area);
    }
    EXPECT_EQ(FitMagnification(1073), 25);  // two pixels a dot
    EXPECT_EQ(FitMagnification(1072), 13);
    EXPECT_EQ(MagnificationIndexBelow(13), 0);
    EXPECT_EQ(MagnificationIndexBelow(100), kDefaultMagnificationIndex);
    EXPECT_EQ(MagnificationIndexBelow(5000), 9);
}

TEST(Magnification, TheDotUnderThePointerStaysUnderIt) {
    // Pixel 200 of a pitch-19 area at viewport x 50: at pitch 38 it lies at
    // 400, so the view scrolls to 400 + offset - 50.
    EXPECT_EQ(ScrollKeepingPointer({200, 100}, 19, 38, {1, 7}, {50, 30}), (Point{351, 177}));
    EXPECT_EQ(ScrollKeepingPointer({200, 100}, 38, 19, {1, 7}, {50, 30}), (Point{51, 27}));
    EXPECT_EQ(ScrollKeepingPointer({10, 10}, 0, 19, {0, 0}, {10, 10}), (Point{0, 0}));  // no layout yet
}

// 全体表示 scales up only: a layout already as wide as the area, or wider, shows as it is.
TEST(Magnification, FitScaleFillsTheAreaAndNeverShrinks) {
    EXPECT_DOUBLE_EQ(FitScale(1186, 593), 2.0);
    EXPECT_DOUBLE_EQ(FitScale(594, 593), 594.0 / 593);
    EXPECT_DOUBLE_EQ(FitScale(593, 593), 1.0);
    EXPECT_DOUBLE_EQ(FitScale(300, 593), 1.0);
    EXPECT_DOUBLE_EQ(FitScale(1000, 0), 1.0);
    EXPECT_DOUBLE_EQ(FitScale(-5, 593), 1.0);
}

}  // namespace
}  // namespace tesslor
