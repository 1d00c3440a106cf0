#pragma once
// Any picture onto the board: the pixels of an image (8-bit RGBA) become the
// board's dots by a threshold, with or without dithering, placed 1:1 or fitted
// to the enabled panel rows and the 480 columns. Decoding the file is the
// platform's; everything here works on pixels in memory.
#include <string>
#include <utility>

#include "led/Ledhyoujiki.h"
#include "led/PictureDots.h"
#include "platform/RgbaImage.h"

namespace tesslor {

/// Which of the board's colours a lit pixel takes.
enum class ImportColour {
    Auto,    ///< the board's own colours from the image's (red and green by channel on a two-colour board)
    Red,     ///< 赤, lit by brightness
    Green,   ///< 緑, lit by brightness
    Orange,  ///< 橙 (both elements), lit by brightness
};

enum class ImportDither {
    None,       ///< the threshold alone
    Ordered,    ///< 規則的: a 4 × 4 Bayer matrix moves the threshold
    Diffusion,  ///< 誤差拡散: Floyd–Steinberg
};

struct ImportOptions {
    ImportColour colour = ImportColour::Auto;
    int threshold = 128;  ///< T, 0 to 255
    bool invert = false;  ///< 反転: each test reversed for opaque pixels
    ImportDither dither = ImportDither::None;
    bool fit = false;     ///< 全体に合わせる: scaled to the enabled rows and 480 columns, aspect kept
    int x = 0;            ///< the image's top-left dot on the board (may be negative: the image is clipped)
    int y = 0;
};

/// The dot code a lit pixel takes when the test is by brightness: the chosen
/// colour on a two-colour board; on a one-colour board its only colour (red,
/// or yellow for the XK series), whatever was chosen.
LedColor SingleColourCode(ImportColour colour, int nanSyoku);

/// width × height scaled to fit within maxWidth × maxHeight with its aspect
/// kept (at least 1 × 1 for a non-empty image); {0, 0} for an empty one.
struct ImportSize {
    int width = 0;
    int height = 0;
    bool operator==(const ImportSize&) const = default;
};
ImportSize FittedSize(int width, int height, int maxWidth, int maxHeight);

/// The image scaled to width × height by area averaging: each new pixel is
/// the mean of the source area it covers, weighted by the part of each
/// source pixel inside it and by alpha (a transparent pixel's colour counts
/// for nothing).
RgbaImage ScaledByAreaAverage(const RgbaImage& image, int width, int height);

/// The board's dots for image under options on a board of shape: pixels
/// with alpha below 128 stay off, and so do rows of disabled panels and
/// everything outside the board.
PictureDots ImportImageDots(const RgbaImage& image, const ImportOptions& options, const DisplayShape& shape);

/// The same for an image already at its size (options.fit is not looked at).
PictureDots PlacedImageDots(const RgbaImage& placed, const ImportOptions& options, const DisplayShape& shape);

/// The import window's picture: the image with its fitted copy kept, so that
/// a new threshold, colour, dithering or position does not scale it again
/// (the preview follows a dragged slider).
class ImportPreview {
public:
    explicit ImportPreview(RgbaImage image = {}) : image_(std::move(image)) {}
    const RgbaImage& Image() const { return image_; }
    /// ImportImageDots(Image(), options, shape), dot for dot.
    PictureDots Dots(const ImportOptions& options, const DisplayShape& shape);

private:
    RgbaImage image_;
    RgbaImage fitted_;
    int fittedRows_ = -1;  ///< the enabled rows fitted_ was made for
};

/// The dot rows a board of shape shows (16 per enabled panel row).
int EnabledDotRows(const DisplayShape& shape);

}  // namespace tesslor
