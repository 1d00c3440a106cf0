#pragma once
// The editor's drawing tools as a controller over the document: the window
// feeds it presses, moves and releases in dot coordinates, Escape and Shift;
// it puts each stroke or shape into the picture (the document redraws the
// dots that change) and makes it one undo step when the drag ends.
#include <optional>

#include "led/DocumentStep.h"
#include "led/Ledhyoujiki.h"
#include "led/PictureDots.h"

namespace tesslor {

/// The pen draws dot by dot as the pointer moves; the others draw a shape
/// between the press and the release, or fill at the press.
enum class DrawingTool { Pen, Line, Rectangle, FilledRectangle, Fill };

/// Where the pointer is on the picture.
struct ToolPointer {
    /// The dot a pen stroke there paints; nothing off the picture.
    std::optional<Point> dot;
    /// The dot a shape's corner goes to: left of or above the picture counts
    /// as its first column or row.
    std::optional<Point> nearest;
};

/// The pointer at surface pixel (x, y) of the document's editing area.
ToolPointer PointerAtPixel(const LedHyoujikiClass& doc, int x, int y);

class DrawingTools {
public:
    explicit DrawingTools(LedHyoujikiClass& doc) : doc_(doc) {}

    DrawingTool Current() const { return tool_; }
    /// Ends a drag in progress, then takes the tool.
    void Select(DrawingTool tool);

    /// A button pressed: colour is what it paints (black erases).
    void Press(const ToolPointer& at, Rgb colour);
    /// The pointer moved with a button held (colour of the button that wins).
    void Move(const ToolPointer& at, Rgb colour);
    /// The button that began the drag let go: the shape ends where it is.
    void Release(const ToolPointer& at);
    /// Ends a drag still going (a release the window never saw, a command
    /// that comes between): what it drew stays and is one undo step.
    void End();
    /// Drops the shape being dragged: the picture is as before the press.
    /// False when no shape was being dragged.
    bool Escape();
    /// Shift held or let go while a line is dragged: the line keeps to 0, 45
    /// or 90 degrees while it is held. False when no shape was being dragged.
    bool SetShift(bool held);
    /// A stroke or shape is being dragged.
    bool Dragging() const { return stroke_.has_value(); }
    bool DraggingShape() const { return Dragging() && IsShape(); }

private:
    bool IsShape() const { return tool_ != DrawingTool::Pen && tool_ != DrawingTool::Fill; }
    void Fill(const ToolPointer& at, Rgb colour);
    void PreviewShape();

    LedHyoujikiClass& doc_;
    DrawingTool tool_ = DrawingTool::Pen;
    // The drag's undo step: what was drawn before the press is a step of its
    // own, the stroke or shape one more when the drag ends.
    std::optional<DocumentStep> stroke_;
    bool shift_ = false;
    LedColor code_ = kOff;
    std::optional<Point> lastDot_;
    Point shapeStart_;
    std::optional<Point> shapeEnd_;
    PictureDots shapeBase_;
};

}  // namespace tesslor
