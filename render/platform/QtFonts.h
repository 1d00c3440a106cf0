#pragma once
// Fonts as this system's files and surfaces name them, reaching installed
// fonts: the Japanese Windows faces that text message tables name map to the
// IPA fonts, and a surface's font becomes a QFont in one place for the editor
// and tesslor-cli alike.
#include <QFont>

#include "platform/Surface.h"

namespace tesslor::gui {

/// Adds every font file (.ttf, .otf, .ttc) of folder to the program's fonts;
/// the number added. A folder that is not there adds none.
int LoadFontFiles(const QString& folder);

/// Loads the fonts in the "fonts" folder beside the program, where there is
/// one (the Windows zip: IPA P Gothic, Unifont, Misaki). Makes "ＭＳ Ｐゴシック", "MS PGothic", "ＭＳ ゴシック" and "MS Gothic" resolve
/// to the IPA Gothic fonts, so Japanese text never shows as empty boxes, in
/// the editor and in tesslor-cli alike. Needs a QGuiApplication.
void InstallFontSubstitutions();

/// The QFont of a surface's font: the face (reaching a real font through the
/// substitutions), the height in pixels, bold, italic, underline and
/// strike-out from the style bits, and fixed pitch when asked. Unsmoothed, it
/// draws whole pixels only (no grey edges, no coloured sub-pixels); hinting
/// stays the platform's either way, so the text is equally wide.
QFont QFontOf(const FontSpec& font, bool smoothed = true);

}  // namespace tesslor::gui
