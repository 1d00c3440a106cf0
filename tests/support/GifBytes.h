#pragma once
// GIF files written pixel by pixel through giflib's encoder, for the tests of
// the code that reads them: a screen with a four-colour palette and frames
// placed anywhere on it, each with its disposal, delay and transparent index.
#ifndef TESSLOR_NO_GIF
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tesslor::test::gifbytes {

// Colour indices of the palette below.
enum : int { kK = 0, kR = 1, kG = 2, kW = 3 };

struct Part {
    int left, top, width, height;
    std::vector<int> pixels;  ///< indices, row by row
    int disposal = DISPOSAL_UNSPECIFIED;
    int delayCs = 0;
    int transparent = NO_TRANSPARENT_COLOR;
};

inline int Append(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
    return length;
}

inline std::string MakeGif(int width, int height, const std::vector<Part>& parts) {
    std::string bytes;
    int status = 0;
    GifFileType* gif = EGifOpen(&bytes, Append, &status);
    GifColorType colours[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {255, 255, 255}};
    ColorMapObject* map = GifMakeMapObject(4, colours);
    EGifSetGifVersion(gif, true);
    EXPECT_EQ(EGifPutScreenDesc(gif, width, height, 2, 0, map), GIF_OK);
    for (const Part& p : parts) {
        GraphicsControlBlock gcb{p.disposal, false, p.delayCs, p.transparent};
        GifByteType ext[4];
        const std::size_t length = EGifGCBToExtension(&gcb, ext);
        EXPECT_EQ(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), ext), GIF_OK);
        EXPECT_EQ(EGifPutImageDesc(gif, p.left, p.top, p.width, p.height, false, nullptr), GIF_OK);
        std::vector<GifPixelType> line(static_cast<std::size_t>(p.width));
        for (int y = 0; y < p.height; ++y) {
            for (int x = 0; x < p.width; ++x) line[static_cast<std::size_t>(x)] = static_cast<GifPixelType>(p.pixels[static_cast<std::size_t>(y * p.width + x)]);
            EXPECT_EQ(EGifPutLine(gif, line.data(), p.width), GIF_OK);
        }
    }
    EGifCloseFile(gif, &status);
    GifFreeMapObject(map);
    return bytes;
}

}  // namespace tesslor::test::gifbytes
#endif
