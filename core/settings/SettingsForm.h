#pragma once
// A settings window's state apart from any window: the texts of its edits and
// drop-down lists and the states of its check boxes and radio buttons, reached
// by the controls' names. The windows copy it to and from their widgets;
// tesslor-cli's `make` and `show` and the tests speak the same names.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/Files.h"
#include "platform/Prompter.h"

namespace tesslor {

enum class FieldKind { Edit, List, CheckBox, RadioButton };

/// One control of a form.
struct FieldInfo {
    std::string Name;     ///< the control's name, e.g. "TentouJikanEdit"
    FieldKind Kind = FieldKind::Edit;
    std::string Partner;  ///< a radio button's partner in its group ("" otherwise)
};

/// The named controls of one form, in the order of the window's tables.
class FormFields {
public:
    explicit FormFields(std::vector<FieldInfo> fields);

    const std::vector<FieldInfo>& Fields() const { return fields_; }
    /// The control of that name; nullptr when the form has none.
    const FieldInfo* Find(const std::string& name) const;

    /// Text of an edit or list ("" for names the form does not have).
    const std::string& Text(const std::string& name) const;
    void SetText(const std::string& name, std::string text);
    /// State of a check box or radio button. Checking a radio button unchecks its partner.
    bool Checked(const std::string& name) const;
    void SetChecked(const std::string& name, bool checked);

    /// A control's value as text: edits and lists as their text, boxes and
    /// radio buttons "yes" or "no".
    std::string Value(const std::string& name) const;
    /// Sets a control from text as Value gives it. False, nothing changed, for
    /// a name the form does not have or a box value other than "yes" and "no".
    bool SetValue(const std::string& name, const std::string& value);

private:
    std::vector<FieldInfo> fields_;
    std::map<std::string, std::string> texts_;
    std::map<std::string, bool> checks_;
};

/// What every settings form offers the windows and tesslor-cli.
class SettingsForm : public FormFields {
public:
    using FormFields::FormFields;
    virtual ~SettingsForm() = default;

    /// The command-line kind: "settings1", "settings2", "settings3" or "co2".
    virtual std::string Kind() const = 0;
    /// 標準設定. A form without standard values changes nothing.
    virtual void Standard() {}
    /// The input check before writing; shows the first failure's message.
    /// It may change a field (the CO2 form empties a thousands text of "0").
    virtual bool Check(Prompter& prompter) = 0;
    /// Writes the whole file, one WriteLine per line, after a passed check.
    /// False at the first failed line (and where the form itself refuses, with
    /// its message shown first).
    virtual bool WriteLines(OutputFile& out, Prompter& prompter) const = 0;
    /// Whether the form opens files (the CO2 form only writes).
    virtual bool CanOpen() const { return true; }
    /// Opens as the window's 開く does after its dialog: path names the file in
    /// messages. False when the open failed (its message shown). Information
    /// messages of a good open are shown too and do not make it fail.
    virtual bool Open(LineReader& in, const std::string& path, Prompter& prompter) = 0;
    /// Lines `show` prints after the controls (e.g. "wind-only", "yes").
    virtual std::vector<std::pair<std::string, std::string>> ModeValues() const { return {}; }
};

/// "ファイル オープンエラー" and "ファイル ライトエラー", the settings files' create and write messages.
inline constexpr const char* kSettingsCreateError = "ファイル オープンエラー";
inline constexpr const char* kSettingsWriteError = "ファイル ライトエラー";
inline constexpr const char* kSettingsWritten = "書込み完了";

/// Writes form's file at path, whole or not at all: "ファイル オープンエラー" when it
/// cannot be created, "ファイル ライトエラー" when a line or the final step fails
/// (the earlier file then stays as it was), "書込み完了" when done. The caller has
/// run the check. True when the file is in place.
bool WriteSettingsFile(const SettingsForm& form, FileSystem& files, Prompter& prompter, const std::string& path);

/// Opens path as the window's 開く does: "<path>オープンエラー" when it cannot be
/// opened, otherwise the form's own reader. True when the open succeeded.
bool OpenSettingsFile(SettingsForm& form, FileSystem& files, Prompter& prompter, const std::string& path);

}  // namespace tesslor
