#pragma once
// The LED data file (.lee, file kind "$NORMAL"): one picture with its display
// settings, in the unit's fixed-width framing. The file commands over the
// document (app/DocumentFiles) are built on this reader and writer.
#include <string>

#include "led/Ledhyoujiki.h"
#include "led/PictureColumns.h"
#include "platform/FileChooser.h"
#include "platform/Files.h"

namespace tesslor {

/// Writes the whole file for the picture and its settings, one Write() per line.
/// Returns false at the first failed line; the caller then drops the file
/// without committing it. Shows nothing.
bool WriteLedData(const LedHyoujikiClass& doc, OutputFile& out);

/// Reads a file's framing, settings and data blocks into doc: its picture
/// becomes the file's dots, whatever it held before. Settings are applied as
/// each one passes its check (the write number through checkWriteNo). On the
/// first fault returns false with its one message in message, leaving what was
/// already taken in the document (the dots read before the fault).
bool ReadLedData(LedHyoujikiClass& doc, LineReader& in, const WriteNoCheck& checkWriteNo, std::string& message);
/// The same read with the dots OR-ed into dots instead: settings still go
/// into (and are checked by) the document, whose dots stay as they are.
bool ReadLedData(LedHyoujikiClass& settings, PictureColumns& dots, LineReader& in, const WriteNoCheck& checkWriteNo,
                 std::string& message);

/// Reads the colour blocks ("#RED" … "#END_OF_RED", "#GREEN" … "#END_OF_GREEN")
/// that follow in, as a picture file and each picture of an animation hold
/// them, OR-ing the dots into dots; stops after "#END_OF_GREEN" or at the end.
/// False with its message at a bad data line.
bool ReadColourBlocks(PictureColumns& dots, LineReader& in, std::string& message);

// The open filter writes ＬＥＤ in full-width letters, the save filter in ASCII letters.
inline const FileDialogSetup kFileOpenDialog{
    FileDialogKind::Open, {{"ＬＥＤデータファイル(*.lee)", "*.lee"}}, "", ""};
inline const FileDialogSetup kFileSaveDialog{
    FileDialogKind::Save, {{"LEDデータファイル(*.lee)", "*.lee"}}, "lee", "LEDデータファイルを保存する"};

}  // namespace tesslor
