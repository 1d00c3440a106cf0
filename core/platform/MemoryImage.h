#pragma once
// An RGB image held in memory: the off-screen image of the command-line tool,
// the tests and the benchmarks. It draws with the same conventions as the
// editing surface (right and bottom edges of boxes are outside) and reads and
// writes BMP files through core's own codec.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Surface.h"

namespace tesslor {

class MemoryImage : public RgbImage {
public:
    /// The largest image, in pixels, that SetSize accepts (and that the BMP
    /// reader will decode): 100 million pixels, 300 MB of RGB.
    static constexpr std::int64_t kMaxPixels = 100'000'000;

    /// An image loads and saves through the file system it was made with (the
    /// real one unless given) and no other, however it is held: a copy reads
    /// and writes where the original does, and assigning another image to it
    /// keeps its own. An image that reads more formats than BMP reads them all
    /// through that one file system.
    MemoryImage() = default;
    /// An empty image that loads and saves through files.
    explicit MemoryImage(FileSystem& files) : files_(files) {}
    /// A black image of the given size (negative sizes count as 0; a size over
    /// kMaxPixels gives an empty image).
    MemoryImage(int width, int height, FileSystem& files = RealFileSystem());

    void SetBrushColor(Rgb colour) override { brush_ = colour; }
    /// The widest pen: a line costs one pen square per step, so an absurd width
    /// must not turn one call into minutes of drawing.
    static constexpr int kMaxPenWidth = 1000;

    /// A width below 1 draws as 1, as on the editing surface; widths above
    /// kMaxPenWidth draw as kMaxPenWidth.
    void SetPen(Rgb colour, int width) override;
    /// Outline of pen width just inside the box, the rest filled with the brush; clipped.
    void Rectangle(int x1, int y1, int x2, int y2) override;
    /// Filled ellipse inscribed in the box (a pixel belongs to it when its centre
    /// does), outlined with the pen; clipped.
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void MoveTo(int x, int y) override;
    /// Bresenham line with a square pen of the pen width. As on the editing
    /// surface the end point itself is not drawn, so a closed path of lines does
    /// not paint its corners twice.
    void LineTo(int x, int y) override;
    /// Draws nothing: an image in memory has no fonts. The model never draws text
    /// on images; text rendering is the editor's business.
    void TextOut(int x, int y, const std::string& text, const FontSpec& font, Rgb textColour,
                 Rgb background) override;
    /// Ignored outside the image.
    void SetPixel(int x, int y, Rgb colour) override;
    /// Black outside the image.
    Rgb GetPixel(int x, int y) const override;
    /// Keeps the top-left part of the content that still fits; new pixels are
    /// black. Negative sizes count as 0. A size over kMaxPixels is refused and
    /// leaves the image as it was (use TrySetSize to learn about it).
    void SetSize(int width, int height) override;
    int Width() const override { return width_; }
    int Height() const override { return height_; }

    /// SetSize that reports a refused size with false.
    bool TrySetSize(int width, int height);
    /// Every pixel the given colour.
    void Fill(Rgb colour);
    /// Takes pixels (row-major, width * height of them) as the new content.
    /// False, image unchanged, when the count does not match or the size is refused.
    bool Assign(int width, int height, std::vector<Rgb> pixels);

    /// Decodes the BMP file into the image. False (image unchanged, ErrorText()
    /// set) when the file cannot be read or is not a BMP file that can be decoded.
    bool LoadFromFile(const std::string& path) override;
    /// Writes the image as a 24-bit BMP file. The file is replaced only when all
    /// of it was written; false (earlier file untouched, ErrorText() set) otherwise.
    bool SaveToFile(const std::string& path) override;
    /// The reason of the last failed load or save, in the words shown to the operator.
    std::string ErrorText() const override { return errorText_; }

    /// Row-major pixels, Width() * Height() of them.
    const std::vector<Rgb>& Pixels() const { return pixels_; }
    Rgb* Data() { return pixels_.data(); }
    const Rgb* Data() const { return pixels_.data(); }

protected:
    /// Where loads and saves read and write: the file system given at construction.
    FileSystem& Files() const { return files_.Get(); }

private:
    // The file system an image was made with. Copying an image copies it;
    // assigning one image to another leaves the target's own.
    class FileSystemOfImage {
    public:
        FileSystemOfImage() : files_(&RealFileSystem()) {}
        explicit FileSystemOfImage(FileSystem& files) : files_(&files) {}
        FileSystemOfImage(const FileSystemOfImage&) = default;
        FileSystemOfImage& operator=(const FileSystemOfImage&) { return *this; }
        FileSystem& Get() const { return *files_; }

    private:
        FileSystem* files_;
    };

    void FillClipped(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, Rgb colour);
    void PenDot(int x, int y);

    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
    Rgb brush_ = kWhite;
    Rgb pen_ = kBlack;
    int penWidth_ = 1;
    Point current_{};
    std::string errorText_;
    FileSystemOfImage files_;
};

/// One frame of an animation to share: an image and how long it stays.
struct GifFrame {
    MemoryImage image;
    int delayCs = 10;  ///< hundredths of a second the frame stays
};

}  // namespace tesslor
