#include "app/DrawingTools.h"

#include <algorithm>

#include "led/PictureEditing.h"

namespace tesslor {

namespace {
// Left of and above the first panel lie its number labels, 20 and 12 pixels.
constexpr int kLabelMarginX = 20;
constexpr int kLabelMarginY = 12;
}  // namespace

ToolPointer PointerAtPixel(const LedHyoujikiClass& doc, int x, int y) {
    return {DotAtPixel(doc, x, y), DotAtPixel(doc, std::max(x, kLabelMarginX), std::max(y, kLabelMarginY))};
}

void DrawingTools::Select(DrawingTool tool) {
    End();
    tool_ = tool;
}

void DrawingTools::Press(const ToolPointer& at, Rgb colour) {
    switch (tool_) {
    case DrawingTool::Pen:
        dragging_ = true;
        // The pen marks the picture changed wherever it touches, as a stroke does.
        doc_.Modified = true;
        if (at.dot) PaintDot(doc_, *at.dot, colour);
        lastDot_ = at.dot;
        return;
    case DrawingTool::Fill:
        if (!dragging_) Fill(at, colour);
        return;
    default:
        if (dragging_ || !at.dot) return;
        dragging_ = true;
        code_ = ColorCodeOf(colour);
        shapeStart_ = *at.dot;
        shapeEnd_ = at.nearest;
        shapeBase_ = CapturePicture(doc_);
        PreviewShape();
        return;
    }
}

void DrawingTools::Fill(const ToolPointer& at, Rgb colour) {
    if (!at.dot) return;
    PictureDots dots = CapturePicture(doc_);
    // Rows the display does not have are never entered.
    FloodFill(dots, *at.dot, ColorCodeOf(colour), UsedRows(doc_));
    if (ShowPicture(doc_, dots) == 0) return;
    doc_.Modified = true;
    doc_.RecordStep();
}

void DrawingTools::Move(const ToolPointer& at, Rgb colour) {
    if (tool_ != DrawingTool::Pen) {
        if (DraggingShape()) {
            shapeEnd_ = at.nearest;
            PreviewShape();
        }
        return;
    }
    dragging_ = true;
    if (!at.dot) {
        // Off the picture the document is marked changed as always, and the
        // line starts afresh where the pointer comes back.
        doc_.Modified = true;
        lastDot_.reset();
        return;
    }
    // The mouse reports only some of the positions a fast stroke passes: every
    // dot between the last one and this one is painted, so the stroke has no gaps.
    const Point from = lastDot_ ? *lastDot_ : *at.dot;
    ForEachLineDot(from, *at.dot, [this, colour](Point p) { PaintDot(doc_, p, colour); });
    lastDot_ = at.dot;
}

void DrawingTools::Release(const ToolPointer& at) {
    if (!dragging_) return;
    if (IsShape()) {
        shapeEnd_ = at.nearest;
        PreviewShape();
    }
    End();
}

void DrawingTools::End() {
    // A shape is drawn without the pen, which would have marked the change.
    if (DraggingShape() && CapturePicture(doc_) != shapeBase_) doc_.Modified = true;
    dragging_ = false;
    lastDot_.reset();
    doc_.RecordStep();
}

bool DrawingTools::Escape() {
    if (!DraggingShape()) return false;
    ShowPicture(doc_, shapeBase_);
    dragging_ = false;
    return true;
}

bool DrawingTools::SetShift(bool held) {
    if (held == shift_) return DraggingShape();
    shift_ = held;
    if (!DraggingShape()) return false;
    PreviewShape();
    return true;
}

void DrawingTools::PreviewShape() {
    if (!shapeEnd_) return;
    PictureDots dots = shapeBase_;
    if (tool_ == DrawingTool::Line) {
        const Point end = shift_ ? ConstrainedEnd(shapeStart_, *shapeEnd_) : *shapeEnd_;
        DrawLine(dots, shapeStart_, end, code_);
    } else {
        DrawRectangle(dots, shapeStart_, *shapeEnd_, code_, tool_ == DrawingTool::FilledRectangle);
    }
    ShowPicture(doc_, dots);
}

}  // namespace tesslor
