#pragma once
// What the editor needs around the picture edits: which dot lies under a
// pixel of the editing area, painting single dots and whole pictures onto
// the document with only the changed dots redrawn, the settings that travel
// in the picture's file, and the texts of the status bar.
#include <optional>
#include <string>

#include "led/DocumentHistory.h"
#include "led/PictureDots.h"

namespace tesslor {

/// The dot a pen stroke at surface pixel (x, y) paints, as DrawDot finds it:
/// the panel from the 20 x 12 pixel label margin and the pitch, clamped to the
/// last panel column and row, then the dot within the panel, clamped to its
/// last dot. Nothing when DrawDot paints nothing there (left of or above the
/// first panel, or no layout yet).
std::optional<Point> DotAtPixel(const LedHyoujikiClass& doc, int x, int y);

/// The pen's paint of one dot given as dot coordinates: a dot outside the picture or of a disabled panel
/// row stays as it was. The dot is redrawn.
void PaintDot(LedHyoujikiClass& doc, Point dot, Rgb rgb);

/// Puts the codes into the document as ApplyPicture does (disabled rows stay
/// dark) and redraws exactly the dots that changed. Returns how many changed.
int ShowPicture(LedHyoujikiClass& doc, const PictureDots& dots);

/// The settings written into the picture's file beside the dots.
PictureSettings CaptureSettings(const LedHyoujikiClass& doc);

/// Status bar: "X 12  Y 5  パネル 0,0" for a dot, "" for none.
std::string DotPositionText(std::optional<Point> dot);
/// Status bar: "ペン 赤" (the colour table's name of the pen colour).
std::string PenColorText(const LedHyoujikiClass& doc, Rgb pen);
/// Status bar: "倍率 100%".
std::string MagnificationText(int percent);
/// Status bar: "使用幅 32ドット".
std::string UsedWidthText(int dots);
/// Status bar: the picture's file name without its folder ("新規" for none),
/// followed by " (未保存)" while it has unsaved changes.
std::string DocumentStatusText(const std::string& fileName, bool modified);

}  // namespace tesslor
