#pragma once
// Pictures to and from RGB images, one pixel per dot: the conversion behind
// bitmap import, the text editor's rendering and bitmap export.
#include "files/PictureFileMessages.h"
#include "led/Ledhyoujiki.h"
#include "platform/FileChooser.h"
#include "platform/Surface.h"

namespace tesslor {

/// ORs the image's first 480 columns and 80 rows into the picture, band by band
/// of 16 rows: a pixel lights the red LED when its red channel is exactly 255
/// and the green LED when its green channel is exactly 255 (blue is ignored).
/// Dots of disabled panel rows stay dark. Nothing is cleared first; never fails.
void ConvertImageToPicture(const DrawingSurface& image, LedHyoujikiClass& doc);

/// Every dot off (nothing unsaved), then the image converted in.
void ReplacePictureWith(const DrawingSurface& image, LedHyoujikiClass& doc);

inline const FileDialogSetup kBmpFileOpenDialog{
    FileDialogKind::Open, {{"ビットマップファイル(*.bmp)", "*.bmp"}}, "", ""};
inline const FileDialogSetup kBmpFileSaveDialog{
    FileDialogKind::Save, {{"ビットマップファイル(*.bmp)", "*.bmp"}}, "bmp", "ビットマップファイルの保存"};

/// Sizes image to 16 x (LastUsedColumn() + 1) by 80 and sets one pixel per dot
/// in its exact colour value. Returns false, leaving image untouched, when no
/// dot is lit.
bool RenderPictureToImage(const LedHyoujikiClass& doc, DrawingSurface& image);

}  // namespace tesslor
