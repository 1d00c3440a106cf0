#pragma once
// tesslor-cli's text message files (".mon"): `make text` fills the text
// message editor's rows as the operator would and saves them, `show` prints a
// file's rows, `check` reads one with the editor's reader, and `convert` draws
// the rows into a picture as 表示データ作成 does.
#include <ostream>
#include <string>

#include "SettingsCommands.h"
#include "app/DocumentFiles.h"
#include "app/StartupConfig.h"

namespace tesslor {
class LedHyoujikiClass;
struct MongonTable;
}

namespace tesslor::cli {

/// The kind name of text message files for make and show.
inline constexpr const char* kTextKind = "text";

/// Whether the file starts with the header mark of a text message file
/// ("MONGON TBL" ended by a NUL). False when it cannot be read.
bool HasTextMessageMark(const std::string& path);

/// Whether path is to be taken as a text message file: it has the mark, or its
/// name ends in ".mon" (any case), so that a broken one is read by the text
/// message reader and gets its message.
bool IsTextMessageFile(const std::string& path);

/// The editor's steps in order: its rows at window creation (NanSyoku and
/// TateMaisuu of config), --from (開く), the assignments, then the write of
/// 名前を付けて保存 ("保存完了(path)"). Messages, all in Japanese, go to err.
/// A short file whose marks are right goes on after its message, as in the
/// window. Returns 0, 1 (the file of --from is missing, cannot be read or is
/// no text message file, or the write failed; nothing written) or 2 (a name
/// the editor does not have, a value its box cannot hold, a text with no
/// Shift-JIS form, --standard or --wind-only).
int RunMakeText(const StartupConfig& config, const MakeOptions& options, std::ostream& err);

/// Opens path as 開く does and prints "kind=text" and one "NAME=VALUE" line per
/// control. Returns 0 or 1 (the reader reported a failure, a short file included).
int RunShowText(const StartupConfig& config, const std::string& path, std::ostream& out, std::ostream& err);

/// For `check`: when IsTextMessageFile(path), reads it with the editor's
/// reader, sets ok (a short file fails even when its marks are right) and
/// message to the reader's first message, writes any further message to err
/// and returns true; returns false for any other file.
bool CheckTextMessageFile(const std::string& path, bool& ok, std::string& message, std::ostream& err);

/// Reads the text message file at path and draws its rows into the picture as
/// 表示データ作成 does (real fonts, no smoothing; no "tmp.bmp"). Starts an
/// off-screen Qt application for the fonts when none runs. False, picture
/// unchanged, when the reader reported a failure (its message shown through
/// the document's prompter), a short file included.
bool ReadTextMessagePicture(DocumentFiles& files, const std::string& path);

/// Reads the whole text message file at path into table, its messages shown
/// through the document's prompter; false when the reader failed or the file
/// was short. (What every build does before drawing the rows.)
bool ReadWholeTextMessageFile(DocumentFiles& files, const std::string& path, MongonTable& table);

/// What a build without Qt (the Windows tool) says instead of drawing text.
inline constexpr const char* kNoTextPictureMessage =
    "この tesslor-cli は文言ファイルから絵を作れません（Windows 版には文字を描くフォントがありません）";

}  // namespace tesslor::cli
