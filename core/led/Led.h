#pragma once
// One LED dot of the picture.
#include <cstdint>

#include "platform/Surface.h"

namespace tesslor {

/// Colour code of one dot: bit 0 the red LED, bit 1 the green LED.
using LedColor = std::uint8_t;
inline constexpr LedColor kOff = 0;
inline constexpr LedColor kLedRed = 1;
inline constexpr LedColor kLedGreen = 2;
inline constexpr LedColor kLedYellow = 3;

/// Colour value of a code: 1, 2, 3 as red, green, yellow; anything else black.
Rgb ColorValueOf(LedColor code);
/// Code of a colour value: only the exact red, green and yellow values give 1 to 3; every other value gives 0.
LedColor ColorCodeOf(Rgb value);

class LedClass {
public:
    /// A dot not laid out yet: off, at the origin, size 0, drawing nowhere.
    LedClass() = default;
    LedClass(Point position, int size, DrawingSurface* surface, bool enabled = true);

    /// New position, size and surface; colour and Enabled stay (magnification change).
    void Init(Point position, int size, DrawingSurface* surface);
    Rgb ColorValue() const { return ColorValueOf(Color); }
    /// If enabled: takes the code of rgb and draws. A disabled dot never changes.
    void SetColorValue(Rgb rgb);
    /// If enabled: ORs the bits (1 red, 2 green) in and draws.
    void AddColor(LedColor bits);
    /// Turns the dot off, enabled or not, without drawing.
    void Clear() { Color = kOff; }
    bool IsRed() const { return (Color & 1) != 0; }
    bool IsGreen() const { return (Color & 2) != 0; }
    /// If enabled: filled ellipse in its colour (black when off) on the editing surface.
    void Draw() const;
    /// If enabled: the same ellipse at point on an off-screen image.
    void DrawAt(DrawingSurface& image, Point point) const;
    /// If enabled: the ellipse at point, black when lit and in reverse when off.
    void DrawReversedAt(DrawingSurface& image, Rgb reverse, Point point) const;
    /// Sets the single pixel (x, y) to the dot's colour value, enabled or not.
    void PutPixel(DrawingSurface& image, int x, int y) const;

    // Colour and Enabled side by side: a picture's 38,400 dots take 24 bytes each.
    LedColor Color = kOff;
    bool Enabled = true;
    int X = 0;
    int Y = 0;
    int Size = 0;
    DrawingSurface* Surface = nullptr;

private:
    void EllipseOn(DrawingSurface& s, Rgb colour, Point at) const;
};

}  // namespace tesslor
