#include "app/ControlBar.h"

#include "app/StartupConfig.h"
#include "text/Numbers.h"

namespace tesslor {

namespace {
bool IsStillMode(char code) { return code == 'A' || code == 'B' || code == 'C' || code == 'D'; }
}  // namespace

void ControlBar::FormCreate() {
    ControlBarState& s = state;
    s.WriteNoText = "1";
    doc_.SetWriteNoText(s.WriteNoText);
    s.DisplayModeIndex = 0;
    doc_.SetDisplayModeByIndex(0);
    s.ReverseColorIndex = 0;
    doc_.SetReverseColorByIndex(0);
    s.SounyuuMojiIndex = 0;
    doc_.SetSounyuuMojiByIndex(0);
    s.SounyuuItiIndex = 0;
    doc_.SetSounyuuItiByIndex(0);
    s.NiniItiText = "0";
    doc_.SetNiniItiText(s.NiniItiText);
    // Mode 標準 is selected: nothing of the reverse colour or the insertion can be chosen.
    s.ReverseColorEnabled = s.SounyuuMojiEnabled = s.SounyuuItiEnabled = s.NiniItiEnabled = false;
    // The XK series starts in yellow. Choosing it is part of starting up, not a
    // change the operator made: a fresh picture closes without the discard question.
    s.ReverseColorIndex = InitialColorIndex(doc_.Shape().NanSyoku);
    doc_.SetReverseColorByIndex(s.ReverseColorIndex);
    // The picture of a new start is the saved one: nothing to undo yet.
    doc_.StartHistory();
}

void ControlBar::DisplayModeComboBoxChange() {
    char code = 0;
    doc_.DisplayModeCodeAt(state.DisplayModeIndex, code);
    state.ReverseColorEnabled = code == 'B' || code == 'D';
    SounyuuMojiComboBoxChange();
    doc_.SetDisplayModeByIndex(state.DisplayModeIndex);
}

void ControlBar::SounyuuMojiComboBoxChange() {
    char code = 0;
    if (!doc_.DisplayModeCodeAt(state.DisplayModeIndex, code) || IsStillMode(code)) {
        // The document keeps the insertion chosen before; only the controls go off.
        state.SounyuuMojiEnabled = state.SounyuuItiEnabled = state.NiniItiEnabled = false;
        return;
    }
    state.SounyuuMojiEnabled = true;
    if (state.SounyuuMojiIndex != 0) {
        state.SounyuuItiEnabled = true;
        SounyuuItiComboBoxChange();
    } else {
        state.SounyuuItiEnabled = state.NiniItiEnabled = false;
    }
    doc_.SetSounyuuMojiByIndex(state.SounyuuMojiIndex);
}

void ControlBar::SounyuuItiComboBoxChange() {
    char code = 0;
    doc_.SounyuuItiCodeAt(state.SounyuuItiIndex, code);
    state.NiniItiEnabled = code == 'C' || code == 'c';
    doc_.SetSounyuuItiByIndex(state.SounyuuItiIndex);
}

bool ControlBar::NiniItiMaskEditChange() {
    const int value = LeadingInt(state.NiniItiText);
    if (value >= 0 && value < doc_.MaxColumns()) {
        doc_.SetNiniItiText(state.NiniItiText);
        return true;
    }
    prompter_.Inform(NiniItiRangeMessage(doc_.MaxColumns()));
    // The box shows what the document holds, so what is seen is what is saved.
    state.NiniItiText = doc_.NiniItiText();
    return false;
}

void ControlBar::ReverseModeColorRadioGroupClick() { doc_.SetReverseColorByIndex(state.ReverseColorIndex); }

bool ControlBar::WriteNoMaskComboBoxChange() {
    int n = 0;
    if (CheckWriteNo(state.WriteNoText, customerMode_, n)) {
        doc_.SetWriteNoText(state.WriteNoText);
        return true;
    }
    const std::string& mode = customerMode_;
    prompter_.Inform(WriteNoRangeMessage(mode));
    if (WriteNoErrorClearsText(mode)) state.WriteNoText.clear();
    return false;
}

void ControlBar::ShowDocumentSettings() {
    state.WriteNoText = doc_.WriteNoText();
    state.DisplayModeIndex = doc_.DisplayModeIndex();
    state.ReverseColorIndex = doc_.ReverseColorIndex();
    state.SounyuuMojiIndex = doc_.SounyuuMojiIndex();
    state.SounyuuItiIndex = doc_.SounyuuItiIndex();
    state.NiniItiText = doc_.NiniItiText();
}

}  // namespace tesslor
