#pragma once
// Drawing surfaces and RGB images: the only way the model draws. The editor
// realises them on its paint box and on off-screen images; tests record calls.
#include <cstdint>
#include <string>
#include <utility>

namespace tesslor {

/// A 24-bit RGB colour value.
struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    constexpr bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kWhite{255, 255, 255};
/// The system's button-face colour, the background of the editing area's labels.
inline constexpr Rgb kButtonFace{240, 240, 240};

struct Point {
    int x = 0, y = 0;
    constexpr bool operator==(const Point&) const = default;
};

/// Style bits of a font, as the text message file stores them.
inline constexpr std::uint8_t kFontBold = 1;
inline constexpr std::uint8_t kFontItalic = 2;
inline constexpr std::uint8_t kFontUnderline = 4;
inline constexpr std::uint8_t kFontStrikeOut = 8;

/// A font for text drawn on a surface (face name in UTF-8, height in pixels:
/// the character height without internal leading).
struct FontSpec {
    FontSpec() = default;
    FontSpec(std::string faceName, int pixels, std::uint8_t styleBits = 0, bool fixed = false)
        : face(std::move(faceName)), pixelSize(pixels), style(styleBits), fixedPitch(fixed) {}

    std::string face = "ＭＳ Ｐゴシック";
    int pixelSize = 12;
    std::uint8_t style = 0;   ///< kFontBold | kFontItalic | kFontUnderline | kFontStrikeOut
    bool fixedPitch = false;  ///< prefer a font whose characters are all one width
    bool operator==(const FontSpec&) const = default;
};

/// What the model needs of a drawing target. Coordinates are pixels; rectangles
/// and ellipses cover x1 .. x2-1 and y1 .. y2-1 (the right and bottom edges are
/// outside), on every surface alike.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    /// Solid brush used to fill rectangles and ellipses.
    virtual void SetBrushColor(Rgb colour) = 0;
    /// Pen used for outlines and lines.
    virtual void SetPen(Rgb colour, int width) = 0;
    /// Rectangle outlined with the pen and filled with the brush.
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    /// Ellipse inscribed in the box, outlined with the pen and filled with the brush.
    virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
    virtual void MoveTo(int x, int y) = 0;
    /// Line from the current position to (x, y) with the pen; (x, y) becomes current.
    virtual void LineTo(int x, int y) = 0;
    /// Text (UTF-8) with its top-left corner at (x, y).
    virtual void TextOut(int x, int y, const std::string& text, const FontSpec& font, Rgb textColour,
                         Rgb background) = 0;
    virtual void SetPixel(int x, int y, Rgb colour) = 0;
    /// Colour of one pixel; black outside the surface.
    virtual Rgb GetPixel(int x, int y) const = 0;
    virtual void SetSize(int width, int height) = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;

    /// Whether anything drawn inside the box could be seen. A surface that paints
    /// only an exposed part answers false for boxes outside it, so the model can
    /// skip whole panels; the default is to draw everything.
    virtual bool NeedsDrawing(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) const { return true; }
};

/// An off-screen RGB image: a surface that also loads from and saves to a file.
class RgbImage : public DrawingSurface {
public:
    /// Loads the file into the image. Returns false (image unspecified) when the
    /// file cannot be read or decoded.
    virtual bool LoadFromFile(const std::string& path) = 0;
    /// Saves the image to the file, replacing it only when the whole image was
    /// written. Returns false and sets errorText() on failure.
    virtual bool SaveToFile(const std::string& path) = 0;
    /// The reason of the last failed SaveToFile, in the words shown to the operator.
    virtual std::string ErrorText() const = 0;
};

}  // namespace tesslor
