#pragma once
// An image as 8-bit red, green, blue and alpha per pixel, row by row: what
// decoded pictures (PNG, JPEG, GIF frames, BMP) become before they reach the
// board's dots.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tesslor {

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;  ///< 4 × width × height bytes

    RgbaImage() = default;
    /// width × height transparent black pixels (sizes below 0 count as 0).
    RgbaImage(int w, int h)
        : width(std::max(0, w)), height(std::max(0, h)),
          rgba(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0) {}

    const std::uint8_t* Pixel(int x, int y) const { return &rgba[Offset(x, y)]; }
    std::uint8_t* Pixel(int x, int y) { return &rgba[Offset(x, y)]; }
    /// Ignored outside the image.
    void Set(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255) {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        std::uint8_t* px = Pixel(x, y);
        px[0] = r;
        px[1] = g;
        px[2] = b;
        px[3] = a;
    }
    bool Empty() const { return width <= 0 || height <= 0; }
    bool operator==(const RgbaImage&) const = default;

private:
    std::size_t Offset(int x, int y) const {
        return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
    }
};

/// Images larger than this either way are refused before they are decoded.
inline constexpr int kMaxImportSide = 8192;

/// "画像が大きすぎます（W × H、読み込めるのは 8192 × 8192 まで）".
inline std::string ImageTooLargeMessage(int width, int height) {
    return "画像が大きすぎます（" + std::to_string(width) + " × " + std::to_string(height) + "、読み込めるのは " +
           std::to_string(kMaxImportSide) + " × " + std::to_string(kMaxImportSide) + " まで）";
}

}  // namespace tesslor
