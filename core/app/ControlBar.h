#pragma once
// The main window's control bar as plain state: what each control shows,
// which are enabled, and the rules that keep them and the document in step.
// The window copies this state to and from its widgets around every handler;
// tesslor-cli and the tests drive it without a window.
#include <string>

#include "led/Ledhyoujiki.h"
#include "platform/Prompter.h"

namespace tesslor {

/// What the bar's controls show. Indexes are list indexes of the document's
/// tables; -1 is no selection.
struct ControlBarState {
    std::string WriteNoText = "1";  ///< WriteNoMaskComboBox
    int DisplayModeIndex = -1;      ///< DisplayModeComboBox
    int ReverseColorIndex = -1;     ///< ReverseModeColorRadioGroup
    int SounyuuMojiIndex = -1;      ///< SounyuuMojiComboBox
    int SounyuuItiIndex = -1;       ///< SounyuuItiComboBox
    std::string NiniItiText;        ///< NiniItiMaskEdit

    bool ReverseColorEnabled = false;
    bool SounyuuMojiEnabled = false;
    bool SounyuuItiEnabled = false;
    bool NiniItiEnabled = false;

    bool operator==(const ControlBarState&) const = default;
};

/// The bar's handlers over one document. Each takes the state as the operator
/// left it, applies the rules, and leaves in the state what the controls must
/// show afterwards; messages go to the prompter.
class ControlBar {
public:
    /// customerMode decides the write numbers offered.
    ControlBar(LedHyoujikiClass& doc, Prompter& prompter, std::string customerMode = "customer")
        : doc_(doc), prompter_(prompter), customerMode_(std::move(customerMode)) {}

    ControlBarState state;

    /// The start-up selections (write number "1", 標準, 赤 or 黄 for the XK
    /// series, 挿入なし, 位置指定なし, position "0") handed to the document in
    /// the main window's order; the document then has nothing unsaved.
    void FormCreate();
    /// Reverse colour enabled exactly for 反転 and 点滅２, the insertion rules,
    /// then the display mode to the document.
    void DisplayModeComboBoxChange();
    /// The insertion controls follow the display mode and the insertion; the
    /// insertion goes to the document only in a scrolling mode.
    void SounyuuMojiComboBoxChange();
    /// 任意位置 enabled exactly for 上段任意 and 下段任意; the position to the document.
    void SounyuuItiComboBoxChange();
    /// Stores a position below 480. Otherwise shows "480より小さい値を入力して下さい",
    /// puts the stored position back into the box and returns false.
    bool NiniItiMaskEditChange();
    void ReverseModeColorRadioGroupClick();
    /// Stores a write number in the customer mode's range as typed. Otherwise
    /// shows the mode's message (the box is emptied except in "root") and
    /// returns false.
    bool WriteNoMaskComboBoxChange();
    /// Copies the document's settings into the controls (after a file was
    /// loaded); enabled states are left as they are.
    void ShowDocumentSettings();

private:
    LedHyoujikiClass& doc_;
    Prompter& prompter_;
    std::string customerMode_;
};

}  // namespace tesslor
