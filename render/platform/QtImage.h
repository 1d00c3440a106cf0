#pragma once
// The off-screen RGB image of the editor and tesslor-cli: the core's image in
// memory, with text drawn in real fonts and pictures read and written as BMP
// or PNG.
#include <string>

#include "platform/MemoryImage.h"

namespace tesslor::gui {

/// An RGB image in memory that draws text with Qt's fonts. Shapes, pixels,
/// sizes and limits are those of MemoryImage, pixel for pixel; only text and
/// the PNG format come from Qt. Text is drawn without smoothing: every pixel it
/// writes is exactly the text or the background colour, because the unit lights
/// a dot only for a channel of exactly 255 and a smoothed edge would lose dots.
/// Needs a QGuiApplication (fonts); Japanese face names reach a real font
/// through the substitutions the application installs.
class QtImage : public MemoryImage {
public:
    /// Images of both formats are read and written through the file system
    /// given here (the real one unless given), however the image is held.
    QtImage() = default;
    explicit QtImage(FileSystem& files) : MemoryImage(files) {}
    /// A black image of the given size, as MemoryImage(width, height, files).
    QtImage(int width, int height, FileSystem& files = RealFileSystem()) : MemoryImage(width, height, files) {}

    /// Draws the UTF-8 text with its top-left corner at (x, y) in the font (face
    /// name through Qt's font substitution, height in pixels, bold, italic,
    /// underline, strike-out and fixed pitch as asked). The box the text
    /// covers, its advance width by the font's height, is filled with the
    /// background first, then the glyphs are drawn in the text colour; nothing
    /// outside that box or outside the image changes. Nothing is drawn for empty
    /// text or a pixel size below 1. Invalid UTF-8 draws replacement characters.
    void TextOut(int x, int y, const std::string& text, const FontSpec& font, Rgb textColour,
                 Rgb background) override;

    /// Reads the file into the image: a PNG file when the name ends in ".png"
    /// (any case), otherwise a BMP file through the core's reader. Returns false,
    /// image unchanged and ErrorText() set, when the file cannot be read or
    /// decoded ("ファイル <path> を読み込めませんでした"; a BMP file that is not
    /// a readable bitmap gets the core's reason instead).
    bool LoadFromFile(const std::string& path) override;
    /// Writes the image: PNG when the name ends in ".png" (any case), otherwise
    /// the core's 24-bit BMP. The file is replaced only when all of it was
    /// written. Returns false, earlier file untouched and ErrorText() set to
    /// "ファイル <path> に書き込めませんでした", when it cannot be written (an
    /// image without pixels cannot be a PNG file and fails the same way).
    bool SaveToFile(const std::string& path) override;
    /// The reason of the last failed load or save, in the words shown to the operator.
    std::string ErrorText() const override { return errorText_; }

private:
    bool LoadPng(const std::string& path);
    bool SavePng(const std::string& path);

    std::string errorText_;
};

}  // namespace tesslor::gui
