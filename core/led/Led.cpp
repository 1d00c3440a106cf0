#include "led/Led.h"

namespace tesslor {

Rgb ColorValueOf(LedColor code) {
    switch (code) {
        case kLedRed: return kRed;
        case kLedGreen: return kGreen;
        case kLedYellow: return kYellow;
        default: return kBlack;
    }
}

LedColor ColorCodeOf(Rgb value) {
    if (value == kRed) return kLedRed;
    if (value == kGreen) return kLedGreen;
    if (value == kYellow) return kLedYellow;
    return kOff;
}

LedClass::LedClass(Point position, int size, DrawingSurface* surface, bool enabled)
    : Enabled(enabled), X(position.x), Y(position.y), Size(size), Surface(surface) {}

void LedClass::Init(Point position, int size, DrawingSurface* surface) {
    X = position.x;
    Y = position.y;
    Size = size;
    Surface = surface;
}

void LedClass::SetColorValue(Rgb rgb) {
    if (!Enabled) return;
    Color = ColorCodeOf(rgb);
    Draw();
}

void LedClass::AddColor(LedColor bits) {
    if (!Enabled) return;
    Color = static_cast<LedColor>(Color | bits);
    Draw();
}

void LedClass::EllipseOn(DrawingSurface& s, Rgb colour, Point at) const {
    s.SetBrushColor(colour);
    s.SetPen(colour, 1);
    s.Ellipse(at.x, at.y, at.x + Size, at.y + Size);
}

void LedClass::Draw() const {
    if (!Enabled || Surface == nullptr) return;
    if (!Surface->NeedsDrawing(X, Y, X + Size, Y + Size)) return;
    EllipseOn(*Surface, ColorValue(), {X, Y});
}

void LedClass::DrawAt(DrawingSurface& image, Point point) const {
    if (!Enabled) return;
    EllipseOn(image, ColorValue(), point);
}

void LedClass::DrawReversedAt(DrawingSurface& image, Rgb reverse, Point point) const {
    if (!Enabled) return;
    EllipseOn(image, Color != kOff ? kBlack : reverse, point);
}

void LedClass::PutPixel(DrawingSurface& image, int x, int y) const { image.SetPixel(x, y, ColorValue()); }

}  // namespace tesslor
