#pragma once
// Windows BMP files: the writer of exported pictures and the reader of the
// bitmaps the operator imports. The reader takes files from anywhere, so it
// checks every size and offset against the bytes it was given.
#include <string>
#include <string_view>

#include "platform/MemoryImage.h"
#include "platform/Surface.h"

namespace tesslor {

/// The resolution written into every BMP header: 2835 pixels per metre (72 dpi).
inline constexpr int kBmpPixelsPerMetre = 2835;

/// The image as a 24-bit bottom-up BMP file (BITMAPFILEHEADER, 40-byte
/// BITMAPINFOHEADER, BI_RGB, rows padded to 4 bytes). Never fails; an image
/// without pixels gives a header-only file.
std::string EncodeBmp24(const DrawingSurface& image);

/// Decodes a BMP file into out: 1, 4 and 8 bits with a palette (also RLE8 and
/// RLE4), 16 bits (5-5-5, or any masks with BI_BITFIELDS), 24 bits and 32 bits
/// (BI_RGB or BI_BITFIELDS); bottom-up and top-down rows; the 12-byte core
/// header and the 40-, 52-, 56-, 108- and 124-byte info headers. Returns false,
/// with out unchanged and a short reason in *error (when error is not null),
/// for anything else: truncated or inconsistent files, sizes of more than
/// MemoryImage::kMaxPixels pixels, compressions such as JPEG or PNG.
bool DecodeBmp(std::string_view bytes, MemoryImage& out, std::string* error = nullptr);

}  // namespace tesslor
