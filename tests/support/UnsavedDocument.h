#pragma once
// Tests that need a document with unsaved changes, whatever it shows: no
// file is known to hold it any more (its undo steps are forgotten too).
#include "led/DocumentHistory.h"
#include "led/Ledhyoujiki.h"
#include "led/DocumentPicture.h"

namespace tesslor {

class LedHyoujikiTestAccess {
public:
    static void MarkUnsaved(LedHyoujikiClass& doc) {
        doc.history_->Reset({CapturePicture(doc), CaptureSettings(doc), doc.FileName}, false);
    }
};

inline void MarkUnsaved(LedHyoujikiClass& doc) { LedHyoujikiTestAccess::MarkUnsaved(doc); }

/// Unsaved as MarkUnsaved, or held by its own file.
inline void SetUnsaved(LedHyoujikiClass& doc, bool unsaved) {
    if (unsaved) {
        MarkUnsaved(doc);
    } else {
        doc.HeldIn(doc.FileName);
    }
}

}  // namespace tesslor
