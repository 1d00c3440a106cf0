#pragma once
// What every maker and settings window holds apart from its widgets: fields
// reached by their control names (the window, tesslor-cli's --set and show,
// and the tests speak those names), the unsaved flag, the file 上書き保存
// writes, and the window's file flows: ask to save, save with its fall-back
// to 名前を付けて保存, ask before open, the discard question on close.
// A form derives from Form, gives its fields, its check, its writer and its
// reader, and the windows only copy its state to and from their widgets.
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/FileChooser.h"
#include "platform/Files.h"
#include "platform/Prompter.h"

namespace tesslor {

/// "保存しますか？", asked with はい / いいえ / キャンセル before 開く, 新規作成 or a
/// close would drop unsaved work.
inline constexpr const char* kFormSaveQuestion = "保存しますか？";
/// Asked with Yes and No before a window with unsaved work closes.
inline constexpr const char* kFormDiscardQuestion = "作成したデータが失われてもいいですか？";

/// The dialogs a form's flows show, owned by its window. A dialog the form
/// does not have stays null.
struct FormDialogs {
    FileDialog* Open = nullptr;
    FileDialog* Save = nullptr;
    /// Where a dialog starts when the form names no folder of its own: the
    /// selected drive's root.
    std::string DriveRoot;
};

class Form {
public:
    explicit Form(FileSystem& files = RealFileSystem()) : files_(&files) {}
    virtual ~Form() = default;

    /// The command-line kind: "settings1", "schedule", "animation", "perform", "text", ...
    virtual std::string Kind() const = 0;

    /// Every field's name, in the order `show` prints them.
    virtual std::vector<std::string> FieldNames() const = 0;
    /// A field's value as text; nothing for a name the form does not have.
    virtual std::optional<std::string> Value(const std::string& name) const = 0;
    /// Sets a field from text as Value gives it. False, with problem set and
    /// nothing changed, for an unknown name or a value the field cannot hold.
    virtual bool SetValue(const std::string& name, const std::string& value, std::string& problem) = 0;

    /// The input check before a write; shows the first failure's message. It
    /// may change a field (the CO2 form empties a thousands text of "0").
    virtual bool Check(Prompter&) { return true; }
    /// Writes path whole or not at all, with the write's messages; the check has passed.
    virtual bool WriteFile(const std::string& path, Prompter& prompter) = 0;
    /// Reads path with the read's messages. Values read before a failure
    /// stay. True when the whole file was taken.
    virtual bool ReadFile(const std::string& path, Prompter& prompter) = 0;

    /// Unsaved changes: set by every edit, cleared by a save or a read as the form's window does.
    bool Modified = false;
    /// The file 上書き保存 writes; "" for none (it then asks for a name).
    std::string CurrentFile;

    FileSystem& Files() const { return *files_; }

    // ---- the window's flows ----

    /// 上書き保存: to CurrentFile after the check, or as SaveAs when there is none.
    bool Save(const FormDialogs& dialogs, Prompter& prompter);
    /// 名前を付けて保存: the check first (so a refused form never costs a name),
    /// then the save dialog started in DialogFolder() and preset with
    /// SavePreset(), then the write. False when refused, cancelled or not written.
    bool SaveAs(const FormDialogs& dialogs, Prompter& prompter);
    /// Before 開く, 新規作成 or a close: when HasUnsavedWork(), "保存しますか？"
    /// with はい / いいえ / キャンセル. はい saves as SaveBeforeOpen does, いいえ
    /// lets the work go. False, the work kept, for キャンセル (and Escape) and
    /// when a save was wanted and did not happen.
    bool AskToSave(const FormDialogs& dialogs, Prompter& prompter);
    /// Whether 開く, 新規作成 or a close would drop work: Modified by default.
    virtual bool HasUnsavedWork() const { return Modified; }
    /// The form as it stands is what its file holds, or what the window
    /// started with: a form that finds its own changes takes this state as
    /// unchanged. The flows call it after a good write or read.
    virtual void MarkUnchanged() {}
    /// 開く: AskToSave, the open dialog started in DialogFolder() with no name
    /// preset, then ReadFile. False when cancelled or the read failed.
    bool Open(const FormDialogs& dialogs, Prompter& prompter);
    /// Opening a file the operator picked elsewhere (the card window): as
    /// 開く, without its dialog; each message of the read names the file.
    /// False when a wanted save did not happen or the read failed.
    bool OpenPath(const FormDialogs& dialogs, const std::string& path, Prompter& prompter);
    /// Closing the window: true when nothing is unsaved or the operator
    /// answers Yes to "作成したデータが失われてもいいですか？".
    bool ConfirmClose(Prompter& prompter) const;

    /// Where the form's dialogs start: the folder of its files when it has
    /// one fixed, otherwise DriveRoot.
    virtual std::string DialogFolder(const FormDialogs& dialogs) const { return dialogs.DriveRoot; }

protected:
    /// The name the save dialog is preset with.
    virtual std::string SavePreset() const { return CurrentFile; }
    /// After a good write: the default takes path as CurrentFile and clears Modified.
    virtual void Saved(const std::string& path, bool overwrite, Prompter& prompter);
    /// After a good read: the default takes path as CurrentFile and clears Modified.
    virtual void Opened(const std::string& path);
    /// The save the Yes of "保存しますか？" runs; the default is 上書き保存.
    virtual bool SaveBeforeOpen(const FormDialogs& dialogs, Prompter& prompter) { return Save(dialogs, prompter); }

private:
    // ReadFile, then Opened and MarkUnchanged when it read; a failed read
    // marks unchanged a form that had no unsaved work before it.
    bool ReadKeepingState(const std::string& path, Prompter& prompter);

    FileSystem* files_;
};

enum class FieldKind { Edit, List, CheckBox, RadioButton };

/// One control of a form.
struct FieldInfo {
    std::string Name;     ///< the control's name, e.g. "TentouJikanEdit"
    FieldKind Kind = FieldKind::Edit;
    std::string Partner;  ///< a radio button's partner in its group ("" otherwise)
};

/// A form whose fields are a fixed set of controls: edit and list texts, and
/// check box and radio button states. Value gives boxes as "yes" or "no".
class FormFields : public Form {
public:
    explicit FormFields(std::vector<FieldInfo> fields, FileSystem& files = RealFileSystem());

    const std::vector<FieldInfo>& Fields() const { return fields_; }
    /// The control of that name; nullptr when the form has none.
    const FieldInfo* Find(const std::string& name) const;

    /// Text of an edit or list ("" for names the form does not have).
    const std::string& Text(const std::string& name) const;
    void SetText(const std::string& name, std::string text);
    /// State of a check box or radio button. Checking a radio button unchecks its partner.
    bool Checked(const std::string& name) const;
    void SetChecked(const std::string& name, bool checked);

    std::vector<std::string> FieldNames() const override;
    std::optional<std::string> Value(const std::string& name) const override;
    /// A box takes only "yes" and "no".
    bool SetValue(const std::string& name, const std::string& value, std::string& problem) override;

    /// Modified, or a field that differs from the last MarkUnchanged (a new
    /// form's fields count as unchanged until the first MarkUnchanged).
    bool HasUnsavedWork() const override;
    void MarkUnchanged() override;

private:
    std::vector<FieldInfo> fields_;
    std::map<std::string, std::string> texts_;
    std::map<std::string, bool> checks_;
    // The fields as they were at the last MarkUnchanged; nothing before it.
    std::optional<std::pair<std::map<std::string, std::string>, std::map<std::string, bool>>> unchanged_;
};

/// A prompter that holds back the information boxes of a read until the
/// window has shown the values read: Release() then shows them in order.
/// Questions pass straight through (they need their answer at once).
class HeldMessages : public Prompter {
public:
    explicit HeldMessages(Prompter& shown) : shown_(&shown) {}
    HeldMessages(const HeldMessages&) = delete;
    HeldMessages& operator=(const HeldMessages&) = delete;
    /// Shows whatever is still held.
    ~HeldMessages() override { Release(); }

    void Inform(const std::string& text) override { held_.push_back(text); }
    bool Confirm(const std::string& text) override { return shown_->Confirm(text); }
    bool Ask(const std::string& text) override { return shown_->Ask(text); }
    SaveChoice AskSave(const std::string& text) override { return shown_->AskSave(text); }
    /// Shows the held boxes in order.
    void Release();
    /// The held boxes' texts, no longer held.
    std::vector<std::string> Take() { return std::exchange(held_, {}); }

private:
    Prompter* shown_;
    std::vector<std::string> held_;
};

}  // namespace tesslor
