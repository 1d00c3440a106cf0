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

void PictureColumns::OrInto(LedHyoujikiClass& doc) const {
    for (int column = 0; column < kColumns; ++column) {
        for (int k = 0; k < kPanelRows; ++k) {
            const std::size_t at = static_cast<std::size_t>(column) * kPanelRows + k;
            LedBoardClass& board = doc.Board(column / LedBoardClass::kDots, k);
            board.OrColumnWords(column % LedBoardClass::kDots, red[at], green[at]);
        }
    }
}

}  // namespace tesslor
