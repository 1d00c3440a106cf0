#pragma once
// A picture's dots as its files hold them: one word of red and one of green
// dots for each dot column and panel row. Reading a file into this costs
// nothing of the editor's layout, which a card of hundreds of pictures needs.
#include <array>
#include <cstdint>

#include "led/Ledhyoujiki.h"

namespace tesslor {

struct PictureColumns {
    static constexpr int kColumns = LedHyoujikiClass::kDotColumns;
    static constexpr int kPanelRows = LedHyoujikiClass::kPanelRows;

    /// ORs word into dot column `column` of panel row `panelRow`: bit 15 - r
    /// lights dot row r of the panel. Outside the picture nothing changes.
    void Or(int column, int panelRow, std::uint16_t word, LedColor bits) {
        if (column < 0 || column >= kColumns || panelRow < 0 || panelRow >= kPanelRows) return;
        const std::size_t at = static_cast<std::size_t>(column) * kPanelRows + panelRow;
        if (bits & kLedRed) red[at] |= word;
        if (bits & kLedGreen) green[at] |= word;
    }
    void Clear() {
        red.fill(0);
        green.fill(0);
    }
    /// The rightmost panel column with a lit dot in the top panelRows rows (the
    /// rows a display of that height shows); -1 when there is none.
    int LastUsedPanelColumn(int panelRows) const;
    /// The colour code of dot (x, y); off outside the picture.
    LedColor DotColor(int x, int y) const;
    /// Makes doc's picture exactly these dots, in one pass over its panels
    /// (dots of rows the document's display lacks stay dark). Settings stay.
    void PutInto(LedHyoujikiClass& doc) const;

    std::array<std::uint16_t, kColumns * kPanelRows> red{};
    std::array<std::uint16_t, kColumns * kPanelRows> green{};
};

}  // namespace tesslor
