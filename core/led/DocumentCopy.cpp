#include "led/DocumentCopy.h"

#include <memory>

#include "platform/NullSurface.h"

namespace tesslor {

void CopyPictureAndSettings(const LedHyoujikiClass& from, LedHyoujikiClass& to) {
    for (int i = 0; i < LedHyoujikiClass::kPanelColumns; ++i)
        for (int j = 0; j < LedHyoujikiClass::kPanelRows; ++j) to.Board(i, j).TakeColours(from.Board(i, j));
    to.SetWriteNoText(from.WriteNoText());
    to.SetDisplayMode(from.DisplayModeCode());
    to.SetSounyuuMoji(from.SounyuuMojiCode());
    to.SetSounyuuIti(from.SounyuuItiCode());
    to.SetNiniItiText(from.NiniItiText());
    to.SetReverseColorByIndex(from.ReverseColorIndex());
}

namespace {
// The scratch document is kept for the next open: laying out 38,400 dots and
// giving their memory back cost several times the read itself. One per thread,
// and a fresh one for a read that opens another file while reading.
struct KeptScratch {
    NullSurface surface;
    std::unique_ptr<LedHyoujikiClass> doc;
    bool inUse = false;
};
}  // namespace

bool WithScratchDocument(const DisplayShape& shape, const std::function<bool(LedHyoujikiClass& scratch)>& use) {
    thread_local KeptScratch kept;
    if (kept.inUse) {
        NullSurface surface;
        LedHyoujikiClass scratch(surface, shape);
        return use(scratch);
    }
    if (!kept.doc || !(kept.doc->Shape() == shape)) {
        kept.doc.reset();
        kept.doc = std::make_unique<LedHyoujikiClass>(kept.surface, shape);
    } else {
        kept.doc->ClearAll();
        kept.doc->ResetSettings();
    }
    struct InUse {
        explicit InUse(bool& flag) : flag_(flag) { flag_ = true; }
        ~InUse() { flag_ = false; }
        bool& flag_;
    } inUse(kept.inUse);
    return use(*kept.doc);
}

bool ReadThroughScratch(LedHyoujikiClass& doc, const std::function<bool(LedHyoujikiClass& scratch)>& read) {
    return WithScratchDocument(doc.Shape(), [&](LedHyoujikiClass& scratch) {
        if (!read(scratch)) return false;
        CopyPictureAndSettings(scratch, doc);
        return true;
    });
}

}  // namespace tesslor
