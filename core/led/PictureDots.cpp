#include "led/PictureDots.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace tesslor {

PictureDots CapturePicture(const LedHyoujikiClass& doc) {
    PictureDots dots;
    for (int y = 0; y < PictureDots::kRows; ++y)
        for (int x = 0; x < PictureDots::kColumns; ++x) dots.Set(x, y, doc.DotColor(x, y));
    return dots;
}

int ApplyPicture(LedHyoujikiClass& doc, const PictureDots& dots, bool drawChanged) {
    int changed = 0;
    for (int y = 0; y < PictureDots::kRows; ++y)
        for (int x = 0; x < PictureDots::kColumns; ++x) {
            LedClass& led = doc.Board(x / 16, y / 16).Led(x % 16, y % 16);
            const LedColor code = led.Enabled ? dots.Get(x, y) : kOff;
            if (led.Color == code) continue;
            led.Color = code;
            if (drawChanged && led.Surface) led.Draw();
            ++changed;
        }
    return changed;
}

Point ConstrainedEnd(Point a, Point b) {
    const int dx = b.x - a.x, dy = b.y - a.y;
    const int ax = std::abs(dx), ay = std::abs(dy);
    // Within 22.5 degrees of an axis the line keeps to it (tan 22.5 ~ 0.414).
    if (ay * 1000 <= ax * 414) return {b.x, a.y};
    if (ax * 1000 <= ay * 414) return {a.x, b.y};
    const int d = std::max(ax, ay);
    return {a.x + (dx < 0 ? -d : d), a.y + (dy < 0 ? -d : d)};
}

void DrawLine(PictureDots& dots, Point a, Point b, LedColor code) {
    // Ends far outside would make a long walk for nothing: keep them near the
    // picture (a line that far out is cut by the edges anyway).
    constexpr int kMargin = 4 * PictureDots::kColumns;
    a = {std::clamp(a.x, -kMargin, kMargin), std::clamp(a.y, -kMargin, kMargin)};
    b = {std::clamp(b.x, -kMargin, kMargin), std::clamp(b.y, -kMargin, kMargin)};
    ForEachLineDot(a, b, [&](Point p) { dots.Set(p.x, p.y, code); });
}

void DrawRectangle(PictureDots& dots, Point a, Point b, LedColor code, bool filled) {
    const int x1 = std::max(std::min(a.x, b.x), -1), x2 = std::min(std::max(a.x, b.x), PictureDots::kColumns);
    const int y1 = std::max(std::min(a.y, b.y), -1), y2 = std::min(std::max(a.y, b.y), PictureDots::kRows);
    const int left = std::min(a.x, b.x), right = std::max(a.x, b.x);
    const int top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            if (filled || x == left || x == right || y == top || y == bottom) dots.Set(x, y, code);
}

int FloodFill(PictureDots& dots, Point start, LedColor code, int limitRows) {
    const int rows = std::clamp(limitRows, 0, PictureDots::kRows);
    code = static_cast<LedColor>(code & 3);
    if (!PictureDots::Inside(start.x, start.y) || start.y >= rows) return 0;
    const LedColor from = dots.Get(start.x, start.y);
    if (from == code) return 0;
    // Scan-line fill with an explicit stack: no recursion, whatever the shape.
    int changed = 0;
    std::vector<Point> stack{start};
    while (!stack.empty()) {
        const Point p = stack.back();
        stack.pop_back();
        if (dots.Get(p.x, p.y) != from) continue;
        int left = p.x, right = p.x;
        while (left > 0 && dots.Get(left - 1, p.y) == from) --left;
        while (right < PictureDots::kColumns - 1 && dots.Get(right + 1, p.y) == from) ++right;
        for (int x = left; x <= right; ++x) {
            dots.Set(x, p.y, code);
            ++changed;
        }
        for (const int y : {p.y - 1, p.y + 1}) {
            if (y < 0 || y >= rows) continue;
            bool inRun = false;
            for (int x = left; x <= right; ++x) {
                const bool match = dots.Get(x, y) == from;
                if (match && !inRun) stack.push_back({x, y});
                inRun = match;
            }
        }
    }
    return changed;
}

void ShiftPicture(PictureDots& dots, int dx, int dy) {
    PictureDots shifted;
    for (int y = 0; y < PictureDots::kRows; ++y)
        for (int x = 0; x < PictureDots::kColumns; ++x) {
            // 64-bit: a huge shift must not wrap back into the picture.
            const long long fx = static_cast<long long>(x) - dx, fy = static_cast<long long>(y) - dy;
            if (fx >= 0 && fx < PictureDots::kColumns && fy >= 0 && fy < PictureDots::kRows)
                shifted.Set(x, y, dots.Get(static_cast<int>(fx), static_cast<int>(fy)));
        }
    dots = shifted;
}

void FlipHorizontally(PictureDots& dots, int usedWidth) {
    const int w = std::clamp(usedWidth, 0, PictureDots::kColumns);
    for (int y = 0; y < PictureDots::kRows; ++y)
        for (int x = 0; x < w / 2; ++x) {
            const LedColor left = dots.Get(x, y);
            dots.Set(x, y, dots.Get(w - 1 - x, y));
            dots.Set(w - 1 - x, y, left);
        }
}

void FlipVertically(PictureDots& dots, int usedRows) {
    const int h = std::clamp(usedRows, 0, PictureDots::kRows);
    for (int y = 0; y < h / 2; ++y)
        for (int x = 0; x < PictureDots::kColumns; ++x) {
            const LedColor top = dots.Get(x, y);
            dots.Set(x, y, dots.Get(x, h - 1 - y));
            dots.Set(x, h - 1 - y, top);
        }
}

void SwapRedGreen(PictureDots& dots) {
    for (LedColor& c : dots.Codes())
        if (c == kLedRed || c == kLedGreen) c = static_cast<LedColor>(c ^ 3);
}

int UsedWidth(const LedHyoujikiClass& doc) { return 16 * (doc.LastUsedColumn() + 1); }

int UsedRows(const LedHyoujikiClass& doc) {
    return std::clamp(doc.Shape().TateMaisuu, 0, LedHyoujikiClass::kPanelRows) * 16;
}

}  // namespace tesslor
