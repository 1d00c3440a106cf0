#include "led/DocumentCopy.h"

#include <memory>

#include "platform/NullSurface.h"

namespace tesslor {

void CopySettings(const LedHyoujikiClass& from, LedHyoujikiClass& to) {
    to.SetWriteNoText(from.WriteNoText());
    to.SetDisplayMode(from.DisplayModeCode());
    to.SetSounyuuMoji(from.SounyuuMojiCode());
    to.SetSounyuuIti(from.SounyuuItiCode());
    to.SetNiniItiText(from.NiniItiText());
    to.SetReverseColorByIndex(from.ReverseColorIndex());
}

void CopyPictureAndSettings(const LedHyoujikiClass& from, LedHyoujikiClass& to) {
    for (int i = 0; i < LedHyoujikiClass::kPanelColumns; ++i)
        for (int j = 0; j < LedHyoujikiClass::kPanelRows; ++j) to.Board(i, j).TakeColours(from.Board(i, j));
    CopySettings(from, to);
}

namespace {
// The scratch document is kept for the next open: laying out 38,400 dots and
// giving their memory back cost several times the read itself. One per thread,
// and a fresh one for a read that opens another file while reading.
struct KeptScratch {
    NullSurface surface;
    std::unique_ptr<LedHyoujikiClass> doc;
    bool inUse = false;
    // Whether every dot is known to be off: a use that reads settings only
    // leaves them so, and the next use then need not clear 38,400 of them.
    bool dotsOff = false;
};

// withDots false: use reads settings only and leaves the dots alone.
bool UseScratch(const DisplayShape& shape, bool withDots, const std::function<bool(LedHyoujikiClass& scratch)>& use) {
    thread_local KeptScratch kept;
    if (kept.inUse) {
        NullSurface surface;
        LedHyoujikiClass scratch(surface, shape);
        return use(scratch);
    }
    if (!kept.doc || !(kept.doc->Shape() == shape)) {
        kept.doc.reset();
        kept.doc = std::make_unique<LedHyoujikiClass>(kept.surface, shape);
        kept.dotsOff = true;
    } else {
        if (withDots && !kept.dotsOff) kept.doc->ClearAll();
        kept.doc->ResetSettings();
    }
    // Set before use: a use that throws leaves the dots unknown.
    if (withDots) kept.dotsOff = false;
    struct InUse {
        explicit InUse(bool& flag) : flag_(flag) { flag_ = true; }
        ~InUse() { flag_ = false; }
        bool& flag_;
    } inUse(kept.inUse);
    return use(*kept.doc);
}
}  // namespace

bool WithScratchDocument(const DisplayShape& shape, const std::function<bool(LedHyoujikiClass& scratch)>& use) {
    return UseScratch(shape, true, use);
}

bool ReadThroughScratch(LedHyoujikiClass& doc, const std::function<bool(LedHyoujikiClass& scratch)>& read) {
    return WithScratchDocument(doc.Shape(), [&](LedHyoujikiClass& scratch) {
        if (!read(scratch)) return false;
        CopyPictureAndSettings(scratch, doc);
        return true;
    });
}

bool ReadColumnsThroughScratch(LedHyoujikiClass& doc,
                               const std::function<bool(LedHyoujikiClass& settings, PictureColumns& dots)>& read) {
    return UseScratch(doc.Shape(), false, [&](LedHyoujikiClass& scratch) {
        // A picture's columns are some 19 KB: on the stack, empty for each read.
        PictureColumns dots;
        if (!read(scratch, dots)) return false;
        dots.PutInto(doc);
        CopySettings(scratch, doc);
        return true;
    });
}

}  // namespace tesslor
