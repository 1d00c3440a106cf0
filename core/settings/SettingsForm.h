#pragma once
// A settings window's state apart from any window: the texts of its edits and
// drop-down lists and the states of its check boxes and radio buttons, reached
// by the controls' names, and the settings file it reads and writes.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "forms/Form.h"

namespace tesslor {

/// What every settings form offers the windows and tesslor-cli.
class SettingsForm : public FormFields {
public:
    using FormFields::FormFields;
    /// The window's 開く flow as well as the reader below.
    using Form::Open;

    /// 標準設定. A form without standard values changes nothing.
    virtual void Standard() {}
    /// The input check before writing; shows the first failure's message.
    /// It may change a field (the CO2 form empties a thousands text of "0").
    bool Check(Prompter& prompter) override = 0;
    /// Writes the whole file, one WriteLine per line, after a passed check.
    /// False at the first failed line, and where the form itself refuses
    /// (message then says why).
    virtual bool WriteLines(OutputFile& out, std::string& message) const = 0;
    /// Whether the form opens files (the CO2 form only writes).
    virtual bool CanOpen() const { return true; }
    /// Reads the file as the window's 開く does after its dialog: path names
    /// the file in the messages, which are added to said in the order the
    /// window shows them. False when the open failed (its message last);
    /// information messages of a good open do not make it fail.
    virtual bool Open(LineReader& in, const std::string& path, std::vector<std::string>& said) = 0;
    /// Lines `show` prints after the controls (e.g. "wind-only", "yes").
    virtual std::vector<std::pair<std::string, std::string>> ModeValues() const { return {}; }

    /// WriteSettingsFile and OpenSettingsFile through the form's files.
    bool WriteFile(const std::string& path, Prompter& prompter) override;
    bool ReadFile(const std::string& path, Prompter& prompter) override;

protected:
    /// はい to "保存しますか？" runs the window's own save, 書込み, which always
    /// asks where to write.
    bool SaveBeforeOpen(const FormDialogs& dialogs, Prompter& prompter) override { return SaveAs(dialogs, prompter); }
};

/// The dialogs of the settings 1, 2 and 3 windows. The open dialog writes ＬＥＤ
/// in full-width letters in both entries, the save dialog in ASCII letters in
/// its first; the filter texts stay exactly so.
inline const FileDialogSetup kSettingsOpenDialog{
    FileDialogKind::Open, {{"ＬＥＤ設定(*.txt)", "*.txt"}, {"ＬＥＤ設定(*.lee)", "*.lee"}}, "lee", ""};
inline const FileDialogSetup kSettingsSaveDialog{
    FileDialogKind::Save, {{"LED設定(*.txt)", "*.txt"}, {"ＬＥＤ設定(*.lee)", "*.lee"}}, "txt", ""};
/// The name the unit looks for on its card: the settings save dialog is preset with it.
inline constexpr const char* kSettingsFileName = "setei.txt";

/// "ファイル オープンエラー" and "ファイル ライトエラー", the settings files' create and write messages.
inline constexpr const char* kSettingsCreateError = "ファイル オープンエラー";
inline constexpr const char* kSettingsWriteError = "ファイル ライトエラー";
inline constexpr const char* kSettingsWritten = "書込み完了";

/// Writes form's file at path, whole or not at all. The caller has run the
/// check. True when the file is in place (the window then says "書込み完了");
/// otherwise said gets "ファイル オープンエラー" when it cannot be created, or
/// the form's refusal (if any) then "ファイル ライトエラー" when a line or the
/// final step fails, and the earlier file stays as it was.
bool WriteSettingsFile(const SettingsForm& form, FileSystem& files, const std::string& path,
                       std::vector<std::string>& said);

/// Reads path as the window's 開く does: "<path>オープンエラー" when it cannot
/// be opened, otherwise the form's own reader, its messages added to said.
/// True when the open succeeded.
bool OpenSettingsFile(SettingsForm& form, FileSystem& files, const std::string& path, std::vector<std::string>& said);

}  // namespace tesslor
