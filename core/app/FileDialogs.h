#pragma once
// The main window's file dialogs as data: kind, filters, default extension and
// title. The editor builds its dialogs from these, and tesslor-cli stands in
// for them with the same values.
#include "platform/FileChooser.h"

namespace tesslor {

// The open filter of the LED data file writes ＬＥＤ in full-width letters, the
// save filter in ASCII letters, as the operator has always seen them.
inline const FileDialogSetup kFileOpenDialog{
    FileDialogKind::Open, {{"ＬＥＤデータファイル(*.lee)", "*.lee"}}, "", ""};
inline const FileDialogSetup kFileSaveDialog{
    FileDialogKind::Save, {{"LEDデータファイル(*.lee)", "*.lee"}}, "lee", "LEDデータファイルを保存する"};
inline const FileDialogSetup kOldFileOpenDialog{
    FileDialogKind::Open, {{"旧ＬＥＤファイル(*.led)", "*.led"}}, "", ""};
inline const FileDialogSetup kOldFileSaveDialog{
    FileDialogKind::Save, {{"旧ＬＥＤファイル(*.led)", "*.led"}}, "led", ""};
inline const FileDialogSetup kBmpFileOpenDialog{
    FileDialogKind::Open, {{"ビットマップファイル(*.bmp)", "*.bmp"}}, "", ""};
inline const FileDialogSetup kBmpFileSaveDialog{
    FileDialogKind::Save, {{"ビットマップファイル(*.bmp)", "*.bmp"}}, "bmp", "ビットマップファイルの保存"};

}  // namespace tesslor
