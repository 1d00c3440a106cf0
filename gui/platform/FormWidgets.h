#pragma once
// Copies a form's fields to and from the window's controls, found by their
// object names: edits and drop-down lists carry text, check boxes and radio
// buttons their state. Every settings, schedule and CO2 window copies this way.
#include <functional>

#include "forms/Form.h"
#include "platform/WindowContext.h"

class QWidget;

namespace tesslor::gui {

/// Widgets to form, before an operation. A field without a control of its
/// name keeps its value.
void CopyWidgetsToForm(const QWidget& window, FormFields& form);

/// Form to widgets, after an operation. Both buttons of a radio pair may be
/// off in the form; the buttons then show no choice.
void CopyFormToWidgets(const FormFields& form, QWidget& window);

/// Shows a modeless window, or brings it to the front.
void ShowModeless(QWidget& window);

/// A read as a window's 開く does it: read runs with the information boxes
/// held back, show puts what was read (also before a failure) on screen, and
/// only then do the boxes appear over it.
void ReadShowingValuesFirst(Prompter& prompter, const std::function<void(Prompter&)>& read,
                            const std::function<void()>& show);

/// The file buttons the settings windows share, over the window's form: the
/// window's controls are read into the form first (read) and the form is
/// shown on them afterwards (show).
struct FormButtons {
    Form& form;
    Prompter& prompter;
    std::function<FormDialogs()> dialogs;
    std::function<void()> read;
    std::function<void()> show;

    /// 開く: the open dialog, the values read on screen before the messages.
    void Open();
    /// A file picked elsewhere (the card window): as 開く without its dialog.
    void OpenPath(const std::string& path);
    /// 書込み: 名前を付けて保存; the dialog starts where the card is. True when written.
    bool Write();
    /// 書込み with its boxes shown through shown.
    bool Write(Prompter& shown);
    /// カードに追加: 書込み, then the file written copied onto the card's root
    /// (when it was saved elsewhere) and listed at the end of its Perform.txt.
    /// done, when given, is told the outcome of one that went well instead of a box.
    bool AddToCard(const std::function<void(const std::string&)>& done = {});
};

/// For a settings window's カードに追加: on success the window closes (its
/// work is done, and it keeps its values for the next opening) and the main
/// window's status line says what went where. Empty when the context has no
/// status line to tell (a box says it then).
std::function<void(const std::string&)> CloseAndTell(QWidget& window, const WindowContext& context);

/// Every window's カードに追加: save(held) writes the work as the window's
/// own save does; the file savedPath() then names is copied onto the card
/// folder root as one change and listed at the end of its Perform.txt. When
/// all went well the save's boxes and the card's outcome are one box (one
/// click for the operator); otherwise each is shown as it came.
/// With tell, that outcome goes there (a window's status line) instead.
bool SaveAndAddToCard(FileSystem& files, const std::string& root, Prompter& prompter,
                      const std::function<bool(Prompter&)>& save, const std::function<std::string()>& savedPath,
                      const std::function<void(const std::string&)>& tell = {});

}  // namespace tesslor::gui
