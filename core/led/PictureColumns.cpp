#include "led/PictureColumns.h"

#include <algorithm>

namespace tesslor {

int PictureColumns::LastUsedPanelColumn(int panelRows) const {
    const int rows = std::clamp(panelRows, 0, kPanelRows);
    for (int column = kColumns - 1; column >= 0; --column) {
        const std::size_t at = static_cast<std::size_t>(column) * kPanelRows;
        for (int k = 0; k < rows; ++k)
            if (red[at + k] | green[at + k]) return column / LedBoardClass::kDots;
    }
    return -1;
}

LedColor PictureColumns::DotColor(int x, int y) const {
    if (x < 0 || y < 0 || x >= kColumns || y >= kPanelRows * LedBoardClass::kDots) return kOff;
    const std::size_t at = static_cast<std::size_t>(x) * kPanelRows + y / LedBoardClass::kDots;
    const unsigned bit = 1u << (15 - y % LedBoardClass::kDots);
    return static_cast<LedColor>(((red[at] & bit) ? kLedRed : kOff) | ((green[at] & bit) ? kLedGreen : kOff));
}

void PictureColumns::PutInto(LedHyoujikiClass& doc) const {
    // Panel by panel: a panel's dots lie together, and a panel nobody sees is
    // asked once instead of once a column.
    constexpr int kDots = LedBoardClass::kDots;
    for (int i = 0; i < kColumns / kDots; ++i) {
        for (int k = 0; k < kPanelRows; ++k) {
            LedBoardClass& board = doc.Board(i, k);
            const bool seen = board.NeedsDrawing();
            for (int c = 0; c < kDots; ++c) {
                const std::size_t at = static_cast<std::size_t>(i * kDots + c) * kPanelRows + k;
                board.SetColumnWords(c, red[at], green[at], seen);
            }
        }
    }
}

}  // namespace tesslor
