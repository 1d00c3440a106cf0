#pragma once
// The display schedule file ("$SCHEDULE"): up to 24 numbers of one or two
// digits in the operator's order, eight to each of the lines "$S1=", "$S2="
// and "$S3=". The window, tesslor-cli and the tests drive this form.
#include <string>
#include <utility>

#include "settings/SettingsForm.h"

namespace tesslor {

/// The number of entries, No1Edit to No24Edit.
inline constexpr int kScheduleEntries = 24;
/// Entries to one "$S" line.
inline constexpr int kScheduleEntriesPerLine = 8;
/// The most characters of an entry.
inline constexpr std::size_t kScheduleEntryLength = 2;
/// The reader takes a line in pieces of at most this many characters.
inline constexpr std::size_t kScheduleReadLength = 49;

inline constexpr const char* kScheduleReadDone = "ファイル読み込み完了";
inline constexpr const char* kScheduleReadError = "ファイルに誤りがあります。";

/// The window's dialogs: one filter for opening and for choosing the file to
/// write (which need not exist).
inline const FileDialogSetup kScheduleOpenDialog{FileDialogKind::Open, {{"表示スケジュール", "*.txt"}}, "txt", ""};
inline const FileDialogSetup kScheduleWriteDialog{FileDialogKind::Save, {{"表示スケジュール", "*.txt"}}, "txt", ""};

/// The form of the display schedule window: 24 edits, texts as typed.
class ScheduleForm : public SettingsForm {
public:
    using SettingsForm::Open;

    /// All 24 entries empty.
    explicit ScheduleForm(FileSystem& files = RealFileSystem());

    /// "schedule".
    std::string Kind() const override { return "schedule"; }

    /// The control name of entry n (1 to 24): "No" + n + "Edit".
    static std::string EntryName(int n);
    /// The text of entry n (1 to 24).
    const std::string& Entry(int n) const { return Text(EntryName(n)); }
    void SetEntry(int n, std::string text) { SetText(EntryName(n), std::move(text)); }

    /// Every entry emptied, as every close of the window and every open does.
    void Clear();

    /// Whether an entry's text is one the unit takes: empty, or one or two of "0" to "9".
    static bool IsValidEntry(const std::string& text);
    /// Entries 1 to 24 in turn: the first invalid one shows
    /// "No" + n + "の数字に誤りがあります" and returns false.
    bool Check(Prompter& prompter) override;

    /// The text of line group (0 to 2) before its padding: "$S1=" (or "$S2=",
    /// "$S3=") and the non-empty entries of the group joined by ",".
    std::string GroupLine(int group) const;
    /// The whole file, one framed line at a time. False at the first failed
    /// line, and without writing anything when an entry is invalid (the check
    /// was skipped): such a line would not read back.
    bool WriteLines(OutputFile& out, std::string& message) const override;

    /// Empties the entries and reads the file: the five head lines, "$S1=",
    /// "$S2=", "$S3=", "#END_OF_DEFINE" and "#END_OF_LED_DATA_FILE", in that
    /// order. Shows "ファイル読み込み完了" when all of it read, otherwise
    /// "ファイルに誤りがあります。" (values read before the fault stay).
    bool Open(LineReader& in, const std::string& path, std::vector<std::string>& said) override;

    /// 開く: the open dialog from the drive's root (dialogs.DriveRoot), then
    /// the file read. Remembers that folder for 書込み. False when cancelled or
    /// the read failed.
    bool OpenWithDialog(const FormDialogs& dialogs, Prompter& prompter);
    /// 書込み: the check, then the save dialog, started where 開く last started
    /// (no folder before any 開く) and preset with the last file written, then
    /// the file. False when refused, cancelled or not written.
    bool WriteWithDialog(const FormDialogs& dialogs, Prompter& prompter);
    /// Closing the window: when entries are unsaved, "保存しますか？" (はい writes
    /// as 書込み does). True when the window may close; its entries are then
    /// emptied. False, the entries kept, for キャンセル and a save that did not happen.
    bool Close(const FormDialogs& dialogs, Prompter& prompter);
    /// Closing the window in any way empties every entry.
    void Closed();

protected:
    /// Only a write names the file the save dialog offers next.
    void Opened(const std::string& path) override;
    bool SaveBeforeOpen(const FormDialogs& dialogs, Prompter& prompter) override {
        return WriteWithDialog(dialogs, prompter);
    }

private:
    // Reads the values of one "$S" line from its fifth character on, at most
    // eight of them, into the entries from next (1-based), advancing it. False
    // when the line does not parse (values before the fault stay). Open calls
    // it for the three lines in turn from entry 1, so next stays within 1 to 24.
    bool ReadGroupLine(const std::string& line, int& next);

    std::string openFolder_;  // where the last 開く started
};

}  // namespace tesslor
