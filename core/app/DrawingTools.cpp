#include "app/DrawingTools.h"

#include <algorithm>

#include "led/DocumentPicture.h"

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
        if (!stroke_) stroke_.emplace(doc_);
        if (at.dot) PaintDot(doc_, *at.dot, colour);
        lastDot_ = at.dot;
        return;
    case DrawingTool::Fill:
        if (!Dragging()) Fill(at, colour);
        return;
    default:
        if (Dragging() || !at.dot) return;
        stroke_.emplace(doc_);
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
    const DocumentStep step(doc_);
    PictureDots dots = CapturePicture(doc_);
    // Rows the display does not have are never entered.
    FloodFill(dots, *at.dot, ColorCodeOf(colour), UsedRows(doc_));
    ShowPicture(doc_, dots);
}

void DrawingTools::Move(const ToolPointer& at, Rgb colour) {
    if (tool_ != DrawingTool::Pen) {
        if (DraggingShape()) {
            shapeEnd_ = at.nearest;
            PreviewShape();
        }
        return;
    }
    if (!stroke_) stroke_.emplace(doc_);
    if (!at.dot) {
        // Off the picture the line starts afresh where the pointer comes back.
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
    if (!Dragging()) return;
    if (IsShape()) {
        shapeEnd_ = at.nearest;
        PreviewShape();
    }
    End();
}

void DrawingTools::End() {
    lastDot_.reset();
    stroke_.reset();
}

bool DrawingTools::Escape() {
    if (!DraggingShape()) return false;
    ShowPicture(doc_, shapeBase_);
    stroke_.reset();
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
