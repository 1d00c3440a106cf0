#pragma once
// The picture as plain dot codes, and the edits a paint program makes on it:
// lines, rectangles, flood fill, shifts, flips and the colour swap. Each edit
// works on a copy; the editor puts the result into the document, where dots
// of disabled panel rows stay dark.
#include <array>
#include <cstddef>
#include <cstdint>

#include "led/Led.h"
#include "led/Ledhyoujiki.h"

namespace tesslor {

/// Every dot of the picture as its colour code, row by row.
class PictureDots {
public:
    static constexpr int kColumns = LedHyoujikiClass::kDotColumns;
    static constexpr int kRows = LedHyoujikiClass::kDotRows;
    static constexpr std::size_t kCount = static_cast<std::size_t>(kColumns) * kRows;

    /// Off outside the picture.
    LedColor Get(int x, int y) const { return Inside(x, y) ? codes_[Index(x, y)] : kOff; }
    /// Ignored outside the picture.
    void Set(int x, int y, LedColor code) {
        if (Inside(x, y)) codes_[Index(x, y)] = static_cast<LedColor>(code & 3);
    }
    static bool Inside(int x, int y) { return x >= 0 && x < kColumns && y >= 0 && y < kRows; }
    static std::size_t Index(int x, int y) { return static_cast<std::size_t>(y) * kColumns + x; }

    const std::array<LedColor, kCount>& Codes() const { return codes_; }
    std::array<LedColor, kCount>& Codes() { return codes_; }
    bool operator==(const PictureDots&) const = default;

private:
    std::array<LedColor, kCount> codes_{};
};

/// The document's dots.
PictureDots CapturePicture(const LedHyoujikiClass& doc);
/// Puts the codes into the document's dots; dots of disabled panel rows stay
/// dark. Without drawChanged nothing is drawn (the caller repaints); with it
/// each changed dot draws itself on its surface. Returns how many dots changed.
int ApplyPicture(LedHyoujikiClass& doc, const PictureDots& dots, bool drawChanged = false);

/// The dots of a straight line from a to b, both ends included, without gaps
/// (Bresenham), calling plot for each in order from a.
template <typename Plot>
void ForEachLineDot(Point a, Point b, Plot plot) {
    const int dx = b.x > a.x ? b.x - a.x : a.x - b.x, sx = a.x < b.x ? 1 : -1;
    const int dy = b.y > a.y ? -(b.y - a.y) : -(a.y - b.y), sy = a.y < b.y ? 1 : -1;
    int err = dx + dy;
    for (Point p = a;;) {
        plot(p);
        if (p == b) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            p.x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            p.y += sy;
        }
    }
}

/// The end of a line from a towards b held to 0, 45 or 90 degrees (Shift):
/// the nearest of the horizontal, vertical and diagonal directions.
Point ConstrainedEnd(Point a, Point b);

/// Line from a to b in code (coordinates are dots; parts outside are cut).
void DrawLine(PictureDots& dots, Point a, Point b, LedColor code);
/// Rectangle with corners a and b (inclusive, any order): outline only, or filled.
void DrawRectangle(PictureDots& dots, Point a, Point b, LedColor code, bool filled);
/// Flood fill from start: every dot joined to it left, right, up or down with
/// the same code becomes code. Dots outside limitRows (rows the display has)
/// are not entered. Returns how many dots changed.
int FloodFill(PictureDots& dots, Point start, LedColor code, int limitRows = PictureDots::kRows);

/// The whole picture one dot (or more) across and down; dots pushed off an
/// edge are lost and the uncovered edge is dark.
void ShiftPicture(PictureDots& dots, int dx, int dy);
/// Mirrors columns 0 .. usedWidth - 1 (the rest stays).
void FlipHorizontally(PictureDots& dots, int usedWidth);
/// Mirrors rows 0 .. usedRows - 1 (the rest stays).
void FlipVertically(PictureDots& dots, int usedRows);
/// Red dots become green and green red; yellow stays.
void SwapRedGreen(PictureDots& dots);

/// The used width in dots: 16 x (LastUsedColumn() + 1), 0 for an empty picture.
int UsedWidth(const LedHyoujikiClass& doc);
/// The rows the display has: 16 x TateMaisuu, within 0 .. 80.
int UsedRows(const LedHyoujikiClass& doc);

}  // namespace tesslor
