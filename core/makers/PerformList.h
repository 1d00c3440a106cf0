#pragma once
// The perform list maker's state apart from its window: the names of the
// files the unit is to play, in the operator's order, all from one folder,
// and the list file "Perform.txt" written into that folder.
#include <optional>
#include <string>
#include <vector>

#include "forms/Form.h"
#include "platform/FileChooser.h"
#include "platform/Files.h"
#include "platform/Prompter.h"

namespace tesslor {

/// The list file's name; it always lies in the folder of the listed files.
inline constexpr const char* kPerformFileName = "Perform.txt";
/// Every line of the list file holds exactly this many bytes before its line end.
inline constexpr std::size_t kPerformLineBytes = 30;

inline constexpr const char* kPerformOtherFolderMessage = "同一のフォルダー内のファイルしか指定できません";
inline constexpr const char* kPerformNameTooLongMessage = "エラー　ファイル名が長すぎます";
inline constexpr const char* kPerformEmptyMessage = "入力されていません";
inline constexpr const char* kPerformOpenErrorMessage = "Perform.txt オープンエラー";
inline constexpr const char* kPerformWriteErrorMessage = "Perform.txt 書き込みエラー";
/// Said in the status line (and by tesslor-cli) after a good 保存.
inline constexpr const char* kPerformSavedMessage = "保存完了";
/// Asked (default いいえ) before 保存 replaces a list the window did not make or read.
inline constexpr const char* kPerformReplaceQuestion = "Perform.txt は、もうあります。置き換えますか？";

/// 追加: the files the unit takes, of the kinds the other makers write; the
/// first entry shows every one of them at once, the others one kind each.
/// The dialog gives a file's full name: the list's 30-byte rule alone decides
/// whether it is taken.
inline const FileDialogSetup kPerformAddDialog{
    FileDialogKind::Open,
    {{"表示器のファイル（絵・動画・設定・スケジュール・CO2）", "*.lee *.ana *.txt *.co2"},
     {"標準ＬＥＤデータ", "*.lee"},
     {"動画データ", "*.ana"},
     {"設定データ（setei.txt)", "*.txt"},
     {"表示スケジュールデータ", "*.txt"},
     {"CO2削減設定", "*.co2"}},
    "",
    "ファイルの追加"};
/// 開く: a "Perform.txt" to take the list from.
inline const FileDialogSetup kPerformOpenDialog{FileDialogKind::Open, {{"Perform.txt", "Perform.txt"}}, "", ""};

class PerformList : public Form {
public:
    explicit PerformList(FileSystem& files = RealFileSystem());

    std::vector<std::string> Entries;  ///< ListBox: bare file names (UTF-8), in play order
    std::string PerformFolder;         ///< the one folder of every entry and of the list file; "" until fixed
    /// The status line's text: what the last good 保存 wrote; "" after any other operation.
    std::string Status;
    // CurrentFile (the base's) is PerformPath() once the folder is fixed, "" before.

    // ---- named fields ----

    std::string Kind() const override { return "perform"; }
    /// Entry1 to EntryN, in list order.
    std::vector<std::string> FieldNames() const override;
    /// An entry as it stands (trailing blanks of a loaded line kept).
    std::optional<std::string> Value(const std::string& name) const override;
    /// EntryN replaces an entry, Entry(N+1) appends one: a bare file name whose
    /// line the unit can read (a Shift-JIS form, no line break).
    bool SetValue(const std::string& name, const std::string& value, std::string& problem) override;

    // ---- the window ----

    /// The window's opening: the list and PerformFolder emptied.
    void OpenWindow();

    /// 追加 after its dialog returned path. The first file fixes PerformFolder;
    /// a file from another folder shows "同一のフォルダー内のファイルしか指定できません".
    /// A name longer than 30 Shift-JIS bytes, without a Shift-JIS form, holding
    /// a control character or being "." or "..", shows "エラー　ファイル名が長すぎます".
    /// A refused name leaves the list as it was (PerformFolder stays fixed once
    /// the folder rule passed). True when the name was appended.
    bool Add(const std::string& path, Prompter& prompter);
    /// 追加 with its dialog: started in DialogFolder() with no stale name. True when a name was appended.
    bool AddWithDialog(FileDialog& dialog, const FormDialogs& dialogs, Prompter& prompter);
    /// 削除: removes entry index; nothing for -1 or out of range.
    void Delete(int index);
    /// Moves entry index by steps places (up for negative), kept within the
    /// list. The index it has then; the list is unchanged for an index out of range.
    int Move(int index, int steps);

    /// 開く after its dialog returned path: the list becomes the file's lines
    /// as they stand (trailing blanks kept; CR LF, LF and CR end a line) and
    /// PerformFolder the file's folder. A file that cannot be read shows
    /// path + "オープンエラー" and changes nothing. True when loaded.
    bool Open(const std::string& path, Prompter& prompter);
    /// 開く with its dialog: started in the drive's root, preset with "Perform.txt".
    bool OpenWithDialog(FileDialog& dialog, const FormDialogs& dialogs, Prompter& prompter);
    bool ReadFile(const std::string& path, Prompter& prompter) override;

    /// "入力されていません" for an empty list.
    bool Check(Prompter& prompter) override;
    /// Writes the list into path whole or not at all ("Perform.txt オープンエラー",
    /// "Perform.txt 書き込みエラー"; the earlier file then stays as it was).
    bool WriteFile(const std::string& path, Prompter& prompter) override;
    using Form::Save;
    /// 保存: the check, then PerformPath() written; Status then says so. True when the file is in place.
    bool Save(Prompter& prompter);

    /// Whether 保存 would replace a "Perform.txt" that holds another list
    /// than the one it writes, and than the one the window last read from it
    /// or wrote into it (the operator's own list, edited, goes back unasked).
    bool WouldReplaceOtherList() const;
    /// The window's 保存: when WouldReplaceOtherList(), "Perform.txt は、もう
    /// あります。置き換えますか？" first; いいえ writes nothing. Then as Save.
    bool SaveAskingToReplace(Prompter& prompter);

    /// Where 保存 writes: "Perform.txt" in PerformFolder.
    std::string PerformPath() const;

    /// 追加 starts in PerformFolder once it is fixed (a refused file must not
    /// send the next pick elsewhere), else in the drive's root.
    std::string DialogFolder(const FormDialogs& dialogs) const override;

protected:
    void Saved(const std::string& path, bool overwrite, Prompter& prompter) override;
    void Opened(const std::string& path) override;

private:
    void FixFolder(const std::string& folder);
    // What PerformPath() held when the window last read or wrote it.
    std::optional<std::string> knownListBytes_;
};

/// The bytes of one list line: the name in Shift-JIS cut to 30 bytes (never
/// inside a double-byte character), blanks to exactly 30 bytes, CR LF. False
/// for a name without a Shift-JIS form or holding a line break.
bool PerformLine(const std::string& entry, std::string& line);
/// The bytes of a whole list file: PerformLine of every entry. False when an
/// entry has no line.
bool PerformListBytes(const std::vector<std::string>& entries, std::string& bytes);

/// The lines of a list file's bytes as 開く takes them: each line ends at
/// CR LF, LF or CR; a last line without a line end counts when not empty.
/// The lines are converted from Shift-JIS.
std::vector<std::string> PerformLinesOf(const std::string& bytes);

/// Checks a list file's bytes as the unit takes them: every line exactly
/// 30 bytes and CR LF, a name of one of the unit's file kinds (.lee, .ana,
/// .txt, .co2). Returns "" when good, else a message naming the first bad line.
std::string CheckPerformBytes(const std::string& bytes);

}  // namespace tesslor
