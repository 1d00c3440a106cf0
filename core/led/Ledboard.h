#pragma once
// One 16 x 16 panel of dots.
#include <array>
#include <cstdint>
#include <memory>

#include "led/Led.h"

namespace tesslor {

/// Where a panel sits in the document's grid and how large the configured
/// display is; decides which frame edges get the blue outline.
struct PanelFrameInfo {
    int column = 0;      ///< gc, 0 to 29
    int row = 0;         ///< gr, 0 to 4
    int yokoMaisuu = 5;  ///< panel columns the unit shows
    int tateMaisuu = 5;  ///< panel rows the unit has
};

class LedBoardClass {
public:
    static constexpr int kDots = 16;

    LedBoardClass() = default;
    LedBoardClass(const LedBoardClass&) = delete;
    LedBoardClass& operator=(const LedBoardClass&) = delete;

    /// Creates the 256 dots column by column; draws background and frame when enabled.
    void Build(Point origin, int boardSize, DrawingSurface* surface, bool enabled);
    /// New origin and size for every dot (colours and Enabled stay); draws when enabled.
    void Relayout(Point origin, int boardSize, DrawingSurface* surface);
    /// Background, frame and every dot, when enabled.
    void Draw() const;
    /// The operator's stroke at surface pixel (x, y). False when the point lies a
    /// whole dot or more left of or above the panel.
    bool SetDotAt(int x, int y, Rgb rgb);
    void ClearAll();
    /// For each row r: bit 15 - r of word set gives AddColor(bits) on dot (c, r).
    void OrColumn(int c, std::uint16_t word, LedColor bits);
    /// Both at once: red's bits light red, green's light green, in one pass.
    void OrColumnWords(int c, std::uint16_t red, std::uint16_t green);
    /// Column c becomes exactly red's and green's dots (a disabled dot stays
    /// dark); what was lit before does not count. Draws the lit ones as
    /// OrColumnWords does; mayDraw false: the caller knows that the surface
    /// wants none of the panel drawn.
    void SetColumnWords(int c, std::uint16_t red, std::uint16_t green, bool mayDraw = true);
    /// Whether the surface wants any of the panel drawn now.
    bool NeedsDrawing() const;
    /// Every dot off, then lit as from's dot at the same place is, as
    /// OrColumnWords lights it (a disabled dot stays dark).
    void TakeColours(const LedBoardClass& from);
    /// Whether the surface wants any of column c's dots drawn now.
    bool ColumnNeedsDrawing(int c) const;
    /// Draws the dots of column c whose bits (row 0 the highest) are set, when the surface wants them.
    void DrawColumnDots(int c, std::uint16_t dots) const;
    /// Red only: bit 7 - k of byte lights dot (8 * half + k, r).
    void OrRowHalf(int r, std::uint8_t byte, int half);
    /// Bit 15 - c is IsRed() of dot (c, r).
    std::uint16_t RedRow(int r) const;
    /// Bit 15 - r is IsRed() / IsGreen() of dot (c, r).
    std::uint16_t RedColumn(int c) const;
    std::uint16_t GreenColumn(int c) const;
    /// The rightmost column with a lit dot; false (c = -1) for an empty panel.
    bool LastLitColumn(int& c) const;
    /// The panel as 16 x 16 pixels, one per dot, with its top-left at (x, y).
    void PutPixels(DrawingSurface& image, int x, int y) const;
    /// Renders columns firstColumn .. endColumn - 1 at pos; pos moves to the
    /// bottom-right corner of what was drawn.
    void DrawTo(DrawingSurface& image, Point& pos, int firstColumn, int endColumn) const;
    void DrawReversedTo(DrawingSurface& image, Point& pos, int firstColumn, int endColumn, Rgb reverse) const;

    /// Dot at column c, row r (0 to 15).
    LedClass& Led(int c, int r) { return Leds[c * kDots + r]; }
    const LedClass& Led(int c, int r) const { return Leds[c * kDots + r]; }

    void SetFrameInfo(const PanelFrameInfo& info) { frame_ = info; }

    /// The dots, column by column, held in the panel itself: a picture is
    /// read, cleared and drawn dot by dot, and dots apart in memory cost the
    /// most there.
    std::array<LedClass, 256> Leds;
    int X = 0;
    int Y = 0;
    int BoardSize = 0;
    int DotSize = 0;
    DrawingSurface* Surface = nullptr;
    bool Enabled = false;

private:
    void DrawBackground() const;
    void DrawFrame() const;
    Point DotOrigin(int c, int r) const;
    PanelFrameInfo frame_;
};

}  // namespace tesslor
