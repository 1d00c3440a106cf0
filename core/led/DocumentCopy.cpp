#include "led/DocumentCopy.h"

#include "platform/NullSurface.h"

namespace tesslor {

void CopyPictureAndSettings(const LedHyoujikiClass& from, LedHyoujikiClass& to) {
    to.ClearAll();
    for (int i = 0; i < LedHyoujikiClass::kPanelColumns; ++i) {
        for (int j = 0; j < LedHyoujikiClass::kPanelRows; ++j) {
            const LedBoardClass& source = from.Board(i, j);
            LedBoardClass& target = to.Board(i, j);
            for (int c = 0; c < LedBoardClass::kDots; ++c) {
                target.OrColumn(c, source.RedColumn(c), kLedRed);
                target.OrColumn(c, source.GreenColumn(c), kLedGreen);
            }
        }
    }
    to.SetWriteNoText(from.WriteNoText());
    to.SetDisplayMode(from.DisplayModeCode());
    to.SetSounyuuMoji(from.SounyuuMojiCode());
    to.SetSounyuuIti(from.SounyuuItiCode());
    to.SetNiniItiText(from.NiniItiText());
    to.SetReverseColorByIndex(from.ReverseColorIndex());
}

bool ReadThroughScratch(LedHyoujikiClass& doc, const std::function<bool(LedHyoujikiClass& scratch)>& read) {
    NullSurface surface;
    LedHyoujikiClass scratch(surface, doc.Shape());
    if (!read(scratch)) return false;
    CopyPictureAndSettings(scratch, doc);
    return true;
}

}  // namespace tesslor
