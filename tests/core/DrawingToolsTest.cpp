// The drawing tools without a window: presses, moves and releases in dots
// give the picture each tool promises, and each drag is one undo step.
#include <gtest/gtest.h>

#include "FileTestDoc.h"
#include "app/DrawingTools.h"

namespace tesslor {
namespace {

using test::DocUnderTest;

ToolPointer At(int x, int y) { return {Point{x, y}, Point{x, y}}; }

int Lit(const LedHyoujikiClass& doc) {
    const PictureDots dots = CapturePicture(doc);
    int n = 0;
    for (LedColor c : dots.Codes()) n += c != kOff;
    return n;
}

TEST(DrawingTools, EachToolDrawsItsShapeAsOneUndoStep) {
    struct Case {
        DrawingTool tool;
        bool shift;
        int lit;           // dots lit after press (2,2), move and release at (9,5)
        Point litDot;      // one of them
        Point darkDot;     // and one that is not
    };
    const Case cases[] = {
        {DrawingTool::Pen, false, 8, {5, 4}, {2, 5}},       // a gap-free line of the pointer's path
        {DrawingTool::Line, false, 8, {9, 5}, {9, 2}},
        {DrawingTool::Line, true, 8, {9, 9}, {9, 5}},       // held to 45 degrees, the nearer
        {DrawingTool::Rectangle, false, 8 * 2 + 2 * 2, {2, 4}, {5, 4}},
        {DrawingTool::FilledRectangle, false, 8 * 4, {5, 4}, {10, 4}},
    };
    for (const Case& c : cases) {
        DocUnderTest t;
        t.doc.StartHistory();
        DrawingTools tools(t.doc);
        tools.Select(c.tool);
        tools.SetShift(c.shift);
        tools.Press(At(2, 2), kGreen);
        tools.Move(At(6, 4), kGreen);
        tools.Move(At(9, 5), kGreen);
        tools.Release(At(9, 5));
        const int tool = static_cast<int>(c.tool);
        EXPECT_EQ(Lit(t.doc), c.lit) << tool;
        EXPECT_EQ(t.doc.DotColor(c.litDot.x, c.litDot.y), kLedGreen) << tool;
        EXPECT_EQ(t.doc.DotColor(c.darkDot.x, c.darkDot.y), kOff) << tool;
        EXPECT_TRUE(t.doc.Modified()) << tool;
        EXPECT_FALSE(tools.Dragging()) << tool;
        ASSERT_TRUE(t.doc.Undo()) << tool;
        EXPECT_EQ(Lit(t.doc), 0) << tool;
        EXPECT_FALSE(t.doc.CanUndo()) << tool;
    }
}

TEST(DrawingTools, EscapeFillAndThePenOffThePicture) {
    DocUnderTest t;
    t.doc.StartHistory();
    DrawingTools tools(t.doc);
    tools.Select(DrawingTool::FilledRectangle);
    tools.Press(At(0, 0), kRed);
    tools.Move(At(20, 10), kRed);
    EXPECT_GT(Lit(t.doc), 0);
    EXPECT_TRUE(tools.Escape());
    EXPECT_EQ(Lit(t.doc), 0);  // as before the press
    EXPECT_FALSE(tools.Escape());
    EXPECT_FALSE(t.doc.Modified());

    // Fill stops at the rows the display has (two panel rows here).
    DocUnderTest two(StartupConfig{2, 2, 5, "customer"});
    two.doc.StartHistory();
    DrawingTools fill(two.doc);
    fill.Select(DrawingTool::Fill);
    fill.Press(At(100, 10), kYellow);
    EXPECT_EQ(Lit(two.doc), 480 * 32);
    EXPECT_FALSE(fill.Dragging());
    EXPECT_TRUE(two.doc.Undo());
    EXPECT_EQ(Lit(two.doc), 0);

    // The pen off the picture paints nothing (nothing is unsaved for it), and
    // the stroke starts afresh where it comes back.
    tools.Select(DrawingTool::Pen);
    tools.Press({}, kRed);
    EXPECT_FALSE(t.doc.Modified());
    tools.Move(At(10, 10), kRed);
    tools.Move({}, kRed);
    tools.Move(At(20, 10), kRed);
    tools.End();
    EXPECT_EQ(Lit(t.doc), 2);
}

}  // namespace
}  // namespace tesslor
