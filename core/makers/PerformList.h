#pragma once
// The perform list maker's state apart from its window: the names of the
// files the unit is to play, in the operator's order, all from one folder,
// and the list file "Perform.txt" written into that folder.
#include <string>
#include <vector>

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
inline constexpr const char* kPerformSavedMessage = "保存完了";

class PerformList {
public:
    explicit PerformList(FileSystem& files = RealFileSystem());

    std::vector<std::string> Entries;  ///< ListBox: bare file names (UTF-8), in play order
    std::string PerformFolder;         ///< the one folder of every entry and of the list file; "" until fixed

    /// The window's opening: the list and PerformFolder emptied.
    void OpenWindow();

    /// 追加 after its dialog returned path. The first file fixes PerformFolder;
    /// a file from another folder shows "同一のフォルダー内のファイルしか指定できません".
    /// A name longer than 30 Shift-JIS bytes, without a Shift-JIS form, holding
    /// a control character or being "." or "..", shows "エラー　ファイル名が長すぎます".
    /// A refused name leaves the list as it was (PerformFolder stays fixed once
    /// the folder rule passed). True when the name was appended.
    bool Add(const std::string& path, Prompter& prompter);
    /// 削除: removes entry index; nothing for -1 or out of range.
    void Delete(int index);

    /// 開く after its dialog returned path: the list becomes the file's lines
    /// as they stand (trailing blanks kept; CR LF, LF and CR end a line) and
    /// PerformFolder the file's folder. A file that cannot be read shows
    /// path + "オープンエラー" and changes nothing. True when loaded.
    bool Open(const std::string& path, Prompter& prompter);

    /// 保存: "入力されていません" for an empty list; otherwise writes
    /// PerformPath() whole or not at all ("Perform.txt オープンエラー",
    /// "Perform.txt 書き込みエラー"; the earlier file then stays as it was) and
    /// shows "保存完了". True when the file is in place.
    bool Save(Prompter& prompter);

    /// Where 保存 writes: "Perform.txt" in PerformFolder.
    std::string PerformPath() const;

private:
    FileSystem* files_;
};

/// The bytes of one list line: the name in Shift-JIS cut to 30 bytes (never
/// inside a double-byte character), blanks to exactly 30 bytes, CR LF. False
/// for a name without a Shift-JIS form or holding a line break.
bool PerformLine(const std::string& entry, std::string& line);

/// The lines of a list file's bytes as 開く takes them: each line ends at
/// CR LF, LF or CR; a last line without a line end counts when not empty.
/// The lines are converted from Shift-JIS.
std::vector<std::string> PerformLinesOf(const std::string& bytes);

/// The folder a path lies in ("." for a bare name, the root kept for a file in it).
std::string PerformFolderOf(const std::string& path);

/// Whether two folders are the same folder, however spelt ("\" or "/",
/// trailing separators, "." and "..", links).
bool SamePerformFolder(const std::string& a, const std::string& b);

/// Checks a list file's bytes as the unit takes them: every line exactly
/// 30 bytes and CR LF, a name of one of the unit's file kinds (.lee, .ana,
/// .txt, .co2). Returns "" when good, else a message naming the first bad line.
std::string CheckPerformBytes(const std::string& bytes);

}  // namespace tesslor
