// The document's own undo steps: what is recorded of it, and how a recorded
// state is put back.
#include "led/DocumentHistory.h"
#include "led/Ledhyoujiki.h"
#include "led/PictureEditing.h"

namespace tesslor {

namespace {
DocumentState CaptureState(const LedHyoujikiClass& doc) {
    return {CapturePicture(doc), CaptureSettings(doc), doc.FileName};
}
}  // namespace

void LedHyoujikiClass::RecordStep(const std::string& typing) { history_->Record(CaptureState(*this), typing); }

void LedHyoujikiClass::MarkSaved() { history_->MarkSaved(CaptureState(*this)); }

void LedHyoujikiClass::MarkKept(const std::string& where) { history_->MarkSaved(CaptureState(*this), where); }

bool LedHyoujikiClass::AtSavedState() const { return history_->AtSavedState(); }

void LedHyoujikiClass::ResetHistory() { history_->Reset(CaptureState(*this), !Modified); }

bool LedHyoujikiClass::CanUndo() const { return history_->CanUndo(); }
bool LedHyoujikiClass::CanRedo() const { return history_->CanRedo(); }

bool LedHyoujikiClass::Undo() {
    // Anything changed since the last record (a stroke not yet ended) is a
    // step of its own first, so that undo takes back exactly that.
    RecordStep();
    if (!history_->Undo()) return false;
    RestoreState(history_->Current());
    return true;
}

bool LedHyoujikiClass::Redo() {
    RecordStep();
    if (!history_->Redo()) return false;
    RestoreState(history_->Current());
    return true;
}

void LedHyoujikiClass::RestoreState(const DocumentState& state) {
    ShowPicture(*this, state.dots);
    displayMode_ = state.settings.displayMode;
    sounyuuMoji_ = state.settings.sounyuuMoji;
    sounyuuIti_ = state.settings.sounyuuIti;
    niniIti_ = state.settings.niniIti;
    writeNo_ = state.settings.writeNo;
    reverseModeColor_ = ReverseColorValue(state.settings.reverseColor);
    FileName = state.fileName;
    Modified = !history_->AtSavedState();
}

}  // namespace tesslor
