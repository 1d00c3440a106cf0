#include "files/Bitmap.h"

#include <algorithm>
#include <cstdint>

#include "platform/MemoryImage.h"

namespace tesslor {

namespace {
constexpr int kBand = LedBoardClass::kDots;
}  // namespace

void ConvertImageToPicture(const DrawingSurface& image, LedHyoujikiClass& doc) {
    const int width = std::min(image.Width(), LedHyoujikiClass::kDotColumns);
    const int height = image.Height();
    // An image in memory is read directly; any other surface pixel by pixel.
    const auto* memory = dynamic_cast<const MemoryImage*>(&image);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < LedHyoujikiClass::kDotRows && y < height; y += kBand) {
            std::uint16_t red = 0, green = 0;
            const int rows = std::min(kBand, height - y);  // rows below the image count as dark
            for (int k = 0; k < rows; ++k) {
                const Rgb c = memory ? memory->Data()[static_cast<std::size_t>(y + k) * memory->Width() + x]
                                     : image.GetPixel(x, y + k);
                const std::uint16_t bit = static_cast<std::uint16_t>(1u << (15 - k));
                if (c.r == 255) red |= bit;
                if (c.g == 255) green |= bit;
            }
            LedBoardClass& board = doc.Board(x / kBand, y / kBand);
            board.OrColumnWords(x % kBand, red, green);
        }
    }
}

void ReplacePictureWith(const DrawingSurface& image, LedHyoujikiClass& doc) {
    doc.ClearAll();
    ConvertImageToPicture(image, doc);
}

bool RenderPictureToImage(const LedHyoujikiClass& doc, DrawingSurface& image) {
    const int last = doc.LastUsedColumn();
    if (last < 0) return false;
    image.SetSize(kBand * (last + 1), LedHyoujikiClass::kDotRows);
    for (int i = 0; i <= last; ++i)
        for (int j = 0; j < LedHyoujikiClass::kPanelRows; ++j) doc.Board(i, j).PutPixels(image, kBand * i, kBand * j);
    return true;
}

}  // namespace tesslor
