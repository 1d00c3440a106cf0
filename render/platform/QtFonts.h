#pragma once
// Font names as this system's files store them, reaching installed fonts: the
// Japanese Windows faces that text message tables name map to the IPA fonts,
// and the two pixel fonts made for dot displays are named once.
namespace tesslor::gui {

/// Makes "ＭＳ Ｐゴシック", "MS PGothic", "ＭＳ ゴシック" and "MS Gothic" resolve
/// to the IPA Gothic fonts, so Japanese text never shows as empty boxes, in
/// the editor and in tesslor-cli alike. Needs a QGuiApplication.
void InstallFontSubstitutions();

/// GNU Unifont: every character 16 dots high, one panel row.
inline constexpr const char* kUnifontFace = "Unifont";
inline constexpr int kUnifontPixels = 16;
/// Misaki Gothic: every character 8 dots high, half a panel row.
inline constexpr const char* kMisakiFace = "MisakiGothic";
inline constexpr int kMisakiPixels = 8;

}  // namespace tesslor::gui
