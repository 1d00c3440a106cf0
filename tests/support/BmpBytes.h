#pragma once
// 24-bit BMP files written byte by byte, for the tests of the code that reads
// images: rows of pixels, or a header alone that claims a size.
#include <cstdint>
#include <string>
#include <vector>

namespace tesslor::test::bmpbytes {

struct Rgb8 {
    std::uint8_t r, g, b;
};

inline std::string Le(std::uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

// A 24-bit BMP of the rows given (top row first); with declaredWidth, a header
// that claims that width and no pixels at all.
inline std::string Bmp(const std::vector<std::vector<Rgb8>>& rows, int declaredWidth = 0) {
    const int h = static_cast<int>(rows.size());
    const int w = declaredWidth ? declaredWidth : static_cast<int>(rows[0].size());
    const int stride = (w * 3 + 3) / 4 * 4;
    std::string pixels;
    if (!declaredWidth)
        for (int y = h - 1; y >= 0; --y) {
            std::string line;
            for (const Rgb8& p : rows[static_cast<std::size_t>(y)]) line += {static_cast<char>(p.b), static_cast<char>(p.g), static_cast<char>(p.r)};
            line.resize(static_cast<std::size_t>(stride), '\0');
            pixels += line;
        }
    const std::uint32_t size = 54 + static_cast<std::uint32_t>(stride * h);
    return "BM" + Le(size, 4) + Le(0, 4) + Le(54, 4) + Le(40, 4) + Le(static_cast<std::uint32_t>(w), 4) +
           Le(static_cast<std::uint32_t>(h), 4) + Le(1, 2) + Le(24, 2) + Le(0, 4) +
           Le(static_cast<std::uint32_t>(stride * h), 4) + Le(2835, 4) + Le(2835, 4) + Le(0, 4) + Le(0, 4) + pixels;
}

}  // namespace tesslor::test::bmpbytes
