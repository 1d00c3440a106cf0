#pragma once
// The old LED file (.led): the unit's earlier, red-only picture format. Eighty
// rows of hexadecimal bytes, "END", then the write number, the three display
// codes and the insertion position, one per line. No framing, no padding.
#include "led/Ledhyoujiki.h"
#include "platform/Files.h"
#include "platform/FileChooser.h"

namespace tesslor {

/// Longest line the reader takes in one piece.
inline constexpr std::size_t kOldLedReadLength = 511;

/// Writes the 86 lines, one Write() per line. Only the red plane is stored
/// (yellow goes out as red, green is lost). Returns false at the first failed
/// line; the caller then drops the file without committing it. Shows nothing.
bool WriteOldLed(const LedHyoujikiClass& doc, OutputFile& out);

/// Reads the rows and the trailer into doc. Dots are OR-ed in, so the caller
/// clears the picture first; the reverse colour becomes red once "END" is read.
/// The write number goes through checkWriteNo. On the first fault returns
/// false with "ファイルリードエラー" (a line missing) or "ファイルデータエラー"
/// (a line malformed) in message, leaving what was already taken in the document.
bool ReadOldLed(LedHyoujikiClass& doc, LineReader& in, const WriteNoCheck& checkWriteNo, std::string& message);

inline const FileDialogSetup kOldFileOpenDialog{
    FileDialogKind::Open, {{"旧ＬＥＤファイル(*.led)", "*.led"}}, "", ""};
inline const FileDialogSetup kOldFileSaveDialog{
    FileDialogKind::Save, {{"旧ＬＥＤファイル(*.led)", "*.led"}}, "led", ""};

}  // namespace tesslor
