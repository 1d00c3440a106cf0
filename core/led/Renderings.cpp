// The document's off-screen renderings for the demos: the unit's window as it
// shows the picture, the reversed picture, a blank frame and the strip that
// the scrolling modes slide across the window.
#include <algorithm>

#include "led/Ledhyoujiki.h"

namespace tesslor {

namespace {

// Panels a rendering covers in each direction: the unit never has more than five.
constexpr int kWindowPanels = 5;
// The blank lead-in and lead-out of the scroll strip, in dots.
constexpr int kScrollBlankDots = 80;

// The dot size of the last layout; every panel shares it.
int DotSizeOf(const LedHyoujikiClass& doc) {
    return std::max(doc.Board(0, 0).Leds[0].Size, 0);
}

// Configured panel counts as image sizes use them. A count of zero or below
// (possible in a hand-edited configuration) gives an empty image rather than a
// negative size.
int PanelCount(int configured) { return std::clamp(configured, 0, kWindowPanels); }

void FillBlack(DrawingSurface& image, int width, int height) {
    image.SetBrushColor(kBlack);
    image.SetPen(kBlack, 1);
    image.Rectangle(0, 0, width, height);
}

}  // namespace

void LedHyoujikiClass::RenderNormal(DrawingSurface& image) const {
    const int panel = 16 * DotSizeOf(*this);
    image.SetSize(PanelCount(shape_.YokoMaisuu) * panel, PanelCount(shape_.TateMaisuu) * panel);
    // All 5 x 5 panels are drawn; the image cuts off what lies outside the unit's window.
    for (int i = 0; i < kWindowPanels; ++i)
        for (int j = 0; j < kWindowPanels; ++j) {
            Point pos{panel * i, panel * j};
            Board(i, j).DrawTo(image, pos, 0, 16);
        }
}

void LedHyoujikiClass::RenderReversed(DrawingSurface& image) const {
    const int panel = 16 * DotSizeOf(*this);
    image.SetSize(kWindowPanels * panel, kWindowPanels * panel);
    for (int i = 0; i < kWindowPanels; ++i)
        for (int j = 0; j < kWindowPanels; ++j) {
            Point pos{panel * i, panel * j};
            Board(i, j).DrawReversedTo(image, pos, 0, 16, reverseModeColor_);
        }
}

void LedHyoujikiClass::RenderBlank(DrawingSurface& image) const {
    const int side = kWindowPanels * 16 * DotSizeOf(*this);
    image.SetSize(side, side);
    FillBlack(image, side, side);
}

int LedHyoujikiClass::ScrollStripWidth() const {
    return scrollStep_ * 16 * (LastUsedColumn() + 1) + scrollStep_ * kScrollBlankDots;
}

void LedHyoujikiClass::RenderScrollStrip(DrawingSurface& image) {
    scrollStep_ = 6;
    const int panel = 16 * DotSizeOf(*this);
    const int lead = scrollStep_ * kScrollBlankDots;
    const int width = ScrollStripWidth() + lead;
    const int height = kWindowPanels * panel;
    image.SetSize(width, height);
    FillBlack(image, width, height);
    const int last = LastUsedColumn();
    for (int i = 0; i <= last; ++i)
        for (int j = 0; j < kPanelRows; ++j) {
            Point pos{lead + panel * i, panel * j};
            Board(i, j).DrawTo(image, pos, 0, 16);
        }
}

}  // namespace tesslor
