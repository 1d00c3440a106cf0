#include "led/Ledboard.h"

#include <algorithm>

namespace tesslor {

Point LedBoardClass::DotOrigin(int c, int r) const { return {X + 1 + c * DotSize, Y + 1 + r * DotSize}; }

void LedBoardClass::Build(Point origin, int boardSize, DrawingSurface* surface, bool enabled) {
    X = origin.x;
    Y = origin.y;
    BoardSize = boardSize;
    DotSize = (boardSize - 2) / kDots;
    Surface = surface;
    if (enabled) DrawBackground();
    for (int c = 0; c < kDots; ++c)
        for (int r = 0; r < kDots; ++r)
            Leds[c * kDots + r] = LedClass(DotOrigin(c, r), DotSize, surface, enabled);
    Enabled = enabled;
    if (enabled) DrawFrame();
}

void LedBoardClass::Relayout(Point origin, int boardSize, DrawingSurface* surface) {
    X = origin.x;
    Y = origin.y;
    BoardSize = boardSize;
    DotSize = (boardSize - 2) / kDots;
    Surface = surface;
    if (Enabled) DrawBackground();
    for (int c = 0; c < kDots; ++c)
        for (int r = 0; r < kDots; ++r) Led(c, r).Init(DotOrigin(c, r), DotSize, surface);
    if (Enabled) DrawFrame();
}

void LedBoardClass::Draw() const {
    if (!Enabled || Surface == nullptr) return;
    // The frame reaches two pixels beyond the square (a 3-pixel pen on X - 1).
    if (!Surface->NeedsDrawing(X - 3, Y - 3, X + BoardSize + 4, Y + BoardSize + 4)) return;
    DrawBackground();
    DrawFrame();
    // Row by row: the dots of a row share their lines of pixels, which a
    // large picture's paint then writes while they are at hand. Dots never
    // overlap, so the order changes no pixel. An off dot is a black ellipse
    // inside the black square just drawn, so only lit dots need drawing: most
    // of a picture is dark.
    for (int r = 0; r < kDots; ++r)
        for (int c = 0; c < kDots; ++c) {
            const LedClass& led = Led(c, r);
            if (led.Color != kOff) led.Draw();
        }
}

void LedBoardClass::DrawBackground() const {
    if (Surface == nullptr) return;
    Surface->SetBrushColor(kBlack);
    Surface->SetPen(kWhite, 1);
    Surface->Rectangle(X, Y, X + BoardSize, Y + BoardSize);
}

void LedBoardClass::DrawFrame() const {
    if (Surface == nullptr) return;
    const int S = BoardSize;
    const int gc = frame_.column, gr = frame_.row;
    const int yoko = frame_.yokoMaisuu, tate = frame_.tateMaisuu;
    auto edgePen = [&](bool outline) {
        if (outline) Surface->SetPen(kBlue, 3);
        else Surface->SetPen(kWhite, 1);
    };
    Surface->MoveTo(X - 1, Y - 1);
    edgePen(gr < tate && (gc == 0 || gc == yoko));
    Surface->LineTo(X - 1, Y + S + 1);
    edgePen(gr == tate - 1 && gc < yoko);
    Surface->LineTo(X + S + 1, Y + S + 1);
    edgePen(gr < tate && gc == yoko - 1);
    Surface->LineTo(X + S + 1, Y - 1);
    edgePen(gc < yoko && (gr == 0 || gr == tate));
    Surface->LineTo(X - 1, Y - 1);
    Surface->SetPen(kWhite, 1);
}

bool LedBoardClass::SetDotAt(int x, int y, Rgb rgb) {
    if (DotSize <= 0) return false;
    int c = (x - X) / DotSize;
    int r = (y - Y) / DotSize;
    if (c < 0 || r < 0) return false;
    c = std::min(c, kDots - 1);
    r = std::min(r, kDots - 1);
    Led(c, r).SetColorValue(rgb);
    return true;
}

void LedBoardClass::ClearAll() {
    for (auto& led : Leds) led.Clear();
}

void LedBoardClass::OrColumn(int c, std::uint16_t word, LedColor bits) {
    OrColumnWords(c, (bits & kLedRed) ? word : 0, (bits & kLedGreen) ? word : 0);
}

bool LedBoardClass::NeedsDrawing() const {
    return Surface != nullptr && Surface->NeedsDrawing(X, Y, X + BoardSize, Y + BoardSize);
}

void LedBoardClass::OrColumnWords(int c, std::uint16_t red, std::uint16_t green) {
    if (c < 0 || c >= kDots || (red | green) == 0) return;
    LedClass* const column = &Leds[static_cast<std::size_t>(c) * kDots];
    for (int r = 0; r < kDots; ++r) {
        LedClass& led = column[r];
        // Without a branch per dot: the bits of a picture are as good as random.
        const unsigned bits = (((red >> (15 - r)) & 1u) | (((green >> (15 - r)) & 1u) << 1)) &
                              (0u - static_cast<unsigned>(led.Enabled));
        led.Color = static_cast<LedColor>(led.Color | bits);
    }
    DrawColumnDots(c, static_cast<std::uint16_t>(red | green));
}

void LedBoardClass::SetColumnWords(int c, std::uint16_t red, std::uint16_t green, bool mayDraw) {
    if (c < 0 || c >= kDots) return;
    LedClass* const column = &Leds[static_cast<std::size_t>(c) * kDots];
    for (int r = 0; r < kDots; ++r) {
        LedClass& led = column[r];
        led.Color = static_cast<LedColor>((((red >> (15 - r)) & 1u) | (((green >> (15 - r)) & 1u) << 1)) &
                                          (0u - static_cast<unsigned>(led.Enabled)));
    }
    if (mayDraw) DrawColumnDots(c, static_cast<std::uint16_t>(red | green));
}

void LedBoardClass::TakeColours(const LedBoardClass& from) {
    const bool seen = NeedsDrawing();
    for (int c = 0; c < kDots; ++c) {
        LedClass* const column = &Leds[static_cast<std::size_t>(c) * kDots];
        std::uint16_t lit = 0;
        for (int r = 0; r < kDots; ++r) {
            LedClass& led = column[r];
            const unsigned colour = from.Led(c, r).Color & 3u & (0u - static_cast<unsigned>(led.Enabled));
            led.Color = static_cast<LedColor>(colour);
            lit = static_cast<std::uint16_t>(lit | ((colour != 0 ? 1u : 0u) << (15 - r)));
        }
        if (seen) DrawColumnDots(c, lit);
    }
}

void LedBoardClass::DrawColumnDots(int c, std::uint16_t dots) const {
    // A file of 480 columns lights some 20,000 dots: the surface is asked once
    // for the column's 16 dots, and a picture read where nobody sees it (a
    // scratch document, the card check) draws nothing dot by dot.
    if (dots == 0 || !ColumnNeedsDrawing(c)) return;
    const LedClass* const column = &Leds[static_cast<std::size_t>(c) * kDots];
    for (int r = 0; r < kDots; ++r)
        if ((dots >> (15 - r)) & 1u) column[r].Draw();
}

bool LedBoardClass::ColumnNeedsDrawing(int c) const {
    const LedClass& top = Led(c, 0);
    const LedClass& bottom = Led(c, kDots - 1);
    return top.Surface != nullptr &&
           top.Surface->NeedsDrawing(top.X, top.Y, bottom.X + bottom.Size, bottom.Y + bottom.Size);
}

void LedBoardClass::OrRowHalf(int r, std::uint8_t byte, int half) {
    if (r < 0 || r >= kDots || half < 0 || half > 1) return;
    for (int k = 0; k < 8; ++k)
        if (byte & (1u << (7 - k))) Led(8 * half + k, r).AddColor(kLedRed);
}

std::uint16_t LedBoardClass::RedRow(int r) const {
    std::uint16_t w = 0;
    for (int c = 0; c < kDots; ++c)
        if (Led(c, r).IsRed()) w |= static_cast<std::uint16_t>(1u << (15 - c));
    return w;
}

std::uint16_t LedBoardClass::RedColumn(int c) const {
    std::uint16_t w = 0;
    for (int r = 0; r < kDots; ++r)
        if (Led(c, r).IsRed()) w |= static_cast<std::uint16_t>(1u << (15 - r));
    return w;
}

std::uint16_t LedBoardClass::GreenColumn(int c) const {
    std::uint16_t w = 0;
    for (int r = 0; r < kDots; ++r)
        if (Led(c, r).IsGreen()) w |= static_cast<std::uint16_t>(1u << (15 - r));
    return w;
}

bool LedBoardClass::LastLitColumn(int& c) const {
    for (c = kDots - 1; c >= 0; --c)
        if ((RedColumn(c) | GreenColumn(c)) != 0) return true;
    c = -1;
    return false;
}

void LedBoardClass::PutPixels(DrawingSurface& image, int x, int y) const {
    for (int c = 0; c < kDots; ++c)
        for (int r = 0; r < kDots; ++r) Led(c, r).PutPixel(image, x + c, y + r);
}

void LedBoardClass::DrawTo(DrawingSurface& image, Point& pos, int firstColumn, int endColumn) const {
    const int d = Leds[0].Size;
    image.SetPen(kBlack, 1);
    image.SetBrushColor(kBlack);
    image.Rectangle(pos.x, pos.y, pos.x + (endColumn - firstColumn) * d, pos.y + kDots * d);
    for (int c = std::max(firstColumn, 0); c < std::min(endColumn, kDots); ++c)
        for (int r = 0; r < kDots; ++r) Led(c, r).DrawAt(image, {pos.x + (c - firstColumn) * d, pos.y + r * d});
    pos = {pos.x + (endColumn - firstColumn) * d, pos.y + kDots * d};
}

void LedBoardClass::DrawReversedTo(DrawingSurface& image, Point& pos, int firstColumn, int endColumn,
                                   Rgb reverse) const {
    const int d = Leds[0].Size;
    image.SetPen(kBlack, 1);
    image.SetBrushColor(kBlack);
    image.Rectangle(pos.x, pos.y, pos.x + (endColumn - firstColumn) * d, pos.y + kDots * d);
    for (int c = std::max(firstColumn, 0); c < std::min(endColumn, kDots); ++c)
        for (int r = 0; r < kDots; ++r)
            Led(c, r).DrawReversedAt(image, reverse, {pos.x + (c - firstColumn) * d, pos.y + r * d});
    pos = {pos.x + (endColumn - firstColumn) * d, pos.y + kDots * d};
}

}  // namespace tesslor
