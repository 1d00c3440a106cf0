// The BMP writer's exact bytes and the reader's depths, headers and refusals.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/BmpCodec.h"
#include "platform/MemoryImage.h"

namespace tesslor {
namespace {

void U16(std::string& s, std::uint32_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}
void U32(std::string& s, std::uint32_t v) {
    U16(s, v & 0xFFFF);
    U16(s, v >> 16);
}

// A BMP file assembled field by field, so each test states exactly what it feeds the reader.
struct BmpSpec {
    std::uint32_t headerSize = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint32_t bpp = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> masks;    // written after a 40-byte header or inside a longer one
    std::string palette;                 // raw palette bytes
    std::string pixels;                  // raw pixel bytes
    std::int64_t offBitsOverride = -1;   // -1: right after the palette
};

std::string Build(const BmpSpec& b) {
    std::string header;
    U32(header, b.headerSize);
    if (b.headerSize == 12) {
        U16(header, static_cast<std::uint32_t>(b.width));
        U16(header, static_cast<std::uint32_t>(b.height));
        U16(header, 1);
        U16(header, b.bpp);
    } else {
        U32(header, static_cast<std::uint32_t>(b.width));
        U32(header, static_cast<std::uint32_t>(b.height));
        U16(header, 1);
        U16(header, b.bpp);
        U32(header, b.compression);
        U32(header, static_cast<std::uint32_t>(b.pixels.size()));
        U32(header, 2835);
        U32(header, 2835);
        U32(header, b.colorsUsed);
        U32(header, 0);
        if (b.headerSize == 40) {
            for (std::uint32_t m : b.masks) U32(header, m);
        } else {
            for (std::size_t i = 0; i < 4; ++i) U32(header, i < b.masks.size() ? b.masks[i] : 0);
            header.resize(b.headerSize, '\0');
        }
    }
    const std::uint32_t offBits = b.offBitsOverride >= 0 ? static_cast<std::uint32_t>(b.offBitsOverride)
                                                         : static_cast<std::uint32_t>(14 + header.size() +
                                                                                      b.palette.size());
    std::string file = "BM";
    U32(file, static_cast<std::uint32_t>(14 + header.size() + b.palette.size() + b.pixels.size()));
    U32(file, 0);
    U32(file, offBits);
    return file + header + b.palette + b.pixels;
}

std::string Quad(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return std::string{static_cast<char>(b), static_cast<char>(g), static_cast<char>(r), '\0'};
}

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += static_cast<char>(v);
    return s;
}

MemoryImage Decoded(const std::string& file) {
    MemoryImage img;
    std::string error;
    EXPECT_TRUE(DecodeBmp(file, img, &error)) << error;
    return img;
}

constexpr Rgb kOrange{255, 128, 0};
constexpr Rgb kGrey{10, 20, 30};

// ---- writer ----

TEST(BmpEncode, GoldenBytesOfA2x2Image) {
    MemoryImage img(2, 2);
    img.SetPixel(0, 0, kRed);
    img.SetPixel(1, 0, kGreen);
    img.SetPixel(0, 1, kYellow);
    img.SetPixel(1, 1, Rgb{1, 2, 3});
    const std::string expected = Bytes({
        'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,              // file header: size 70, data at 54
        40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,            // 40-byte header, 2 x 2, 1 plane, 24 bits
        0, 0, 0, 0, 16, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, // BI_RGB, 16 data bytes, 2835 px/m
        0, 0, 0, 0, 0, 0, 0, 0,                                      // no palette
        0, 255, 255, 3, 2, 1, 0, 0,                                  // bottom row first: yellow, (1,2,3), pad
        0, 0, 255, 0, 255, 0, 0, 0,                                  // top row: red, green, pad
    });
    EXPECT_EQ(EncodeBmp24(img), expected);
}

TEST(BmpEncode, RowsArePaddedToFourBytesAndRoundTrip) {
    std::mt19937 rng(7);
    for (int width : {1, 2, 3, 4, 5, 17}) {
        MemoryImage img(width, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x)
                img.SetPixel(x, y, Rgb{static_cast<std::uint8_t>(rng()), static_cast<std::uint8_t>(rng()),
                                       static_cast<std::uint8_t>(rng())});
        const std::string file = EncodeBmp24(img);
        const std::size_t stride = (width * 3 + 3) / 4 * 4;
        EXPECT_EQ(file.size(), 54 + 3 * stride) << width;
        const MemoryImage back = Decoded(file);
        EXPECT_EQ(back.Width(), width);
        EXPECT_EQ(back.Height(), 3);
        EXPECT_EQ(back.Pixels(), img.Pixels()) << width;
    }
}

// ---- reader: depths and headers ----

TEST(BmpDecode, OneBitPaletteBottomUp) {
    BmpSpec b;
    b.width = 10;
    b.height = 2;
    b.bpp = 1;
    b.palette = Quad(0, 0, 0) + Quad(255, 128, 0);
    // bottom row: only x = 0 and x = 9 set; top row: x = 1 .. 8 set
    b.pixels = Bytes({0x80, 0x40, 0, 0}) + Bytes({0x7F, 0x80, 0, 0});
    const MemoryImage img = Decoded(Build(b));
    ASSERT_EQ(img.Width(), 10);
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(img.GetPixel(x, 1), (x == 0 || x == 9) ? kOrange : kBlack) << x;
        EXPECT_EQ(img.GetPixel(x, 0), (x >= 1 && x <= 8) ? kOrange : kBlack) << x;
    }
}

TEST(BmpDecode, FourAndEightBitPalettesWithShortColourCounts) {
    BmpSpec four;
    four.width = 3;
    four.bpp = 4;
    four.colorsUsed = 3;
    four.palette = Quad(0, 0, 0) + Quad(255, 0, 0) + Quad(10, 20, 30);
    four.pixels = Bytes({0x12, 0xF0, 0, 0});  // 1, 2, then 15: past the palette, black
    MemoryImage img = Decoded(Build(four));
    EXPECT_EQ(img.GetPixel(0, 0), kRed);
    EXPECT_EQ(img.GetPixel(1, 0), kGrey);
    EXPECT_EQ(img.GetPixel(2, 0), kBlack);

    BmpSpec eight;
    eight.width = 3;
    eight.bpp = 8;
    eight.colorsUsed = 2;
    eight.palette = Quad(0, 255, 0) + Quad(255, 255, 0);
    eight.pixels = Bytes({1, 0, 200, 0});
    img = Decoded(Build(eight));
    EXPECT_EQ(img.GetPixel(0, 0), kYellow);
    EXPECT_EQ(img.GetPixel(1, 0), kGreen);
    EXPECT_EQ(img.GetPixel(2, 0), kBlack);
}

TEST(BmpDecode, CoreHeaderUsesThreeBytePaletteEntries) {
    BmpSpec b;
    b.headerSize = 12;
    b.width = 2;
    b.bpp = 8;
    std::string palette(256 * 3, '\0');
    palette[3] = 0;  // entry 1: blue 0, green 0, red 255
    palette[4] = 0;
    palette[5] = static_cast<char>(255);
    palette[6] = 30;  // entry 2: (10, 20, 30)
    palette[7] = 20;
    palette[8] = 10;
    b.palette = palette;
    b.pixels = Bytes({1, 2, 0, 0});
    const MemoryImage img = Decoded(Build(b));
    EXPECT_EQ(img.GetPixel(0, 0), kRed);
    EXPECT_EQ(img.GetPixel(1, 0), kGrey);
}

TEST(BmpDecode, SixteenBit555AndBitfields565) {
    BmpSpec rgb555;
    rgb555.width = 2;
    rgb555.bpp = 16;
    rgb555.pixels = Bytes({0x00, 0x7C, 0xE0, 0x03});  // pure red, pure green in 5-5-5
    MemoryImage img = Decoded(Build(rgb555));
    EXPECT_EQ(img.GetPixel(0, 0), kRed);
    EXPECT_EQ(img.GetPixel(1, 0), kGreen);

    BmpSpec rgb565 = rgb555;
    rgb565.compression = 3;
    rgb565.masks = {0xF800, 0x07E0, 0x001F};
    rgb565.pixels = Bytes({0xE0, 0xFF, 0x1F, 0x00});  // red+green = yellow, pure blue
    img = Decoded(Build(rgb565));
    EXPECT_EQ(img.GetPixel(0, 0), kYellow);
    EXPECT_EQ(img.GetPixel(1, 0), kBlue);
}

TEST(BmpDecode, ThirtyTwoBitPlainAndWithUnusualMasksInAV5Header) {
    BmpSpec plain;
    plain.width = 1;
    plain.bpp = 32;
    plain.pixels = Bytes({30, 20, 10, 0x77});  // B G R X; the fourth byte is ignored
    EXPECT_EQ(Decoded(Build(plain)).GetPixel(0, 0), kGrey);

    BmpSpec v5;
    v5.headerSize = 124;
    v5.width = 1;
    v5.bpp = 32;
    v5.compression = 3;
    v5.masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};  // R G B A, the reverse of the usual order
    v5.pixels = Bytes({10, 20, 30, 0xFF});
    EXPECT_EQ(Decoded(Build(v5)).GetPixel(0, 0), kGrey);
}

TEST(BmpDecode, TwentyFourBitTopDownAndV4Header) {
    BmpSpec b;
    b.headerSize = 108;
    b.width = 1;
    b.height = -2;  // first stored row is the top one
    b.pixels = Bytes({0, 0, 255, 0}) + Bytes({0, 255, 0, 0});
    const MemoryImage img = Decoded(Build(b));
    EXPECT_EQ(img.Height(), 2);
    EXPECT_EQ(img.GetPixel(0, 0), kRed);
    EXPECT_EQ(img.GetPixel(0, 1), kGreen);
}

TEST(BmpDecode, LastRowMayLackItsPadding) {
    BmpSpec b;
    b.width = 1;
    b.height = 2;
    b.pixels = Bytes({0, 0, 255, 0, 0, 255, 0});  // second row without its one pad byte
    const MemoryImage img = Decoded(Build(b));
    EXPECT_EQ(img.GetPixel(0, 0), kGreen);
    EXPECT_EQ(img.GetPixel(0, 1), kRed);
}

TEST(BmpDecode, Rle8RunsAbsoluteDeltaAndEndMarks) {
    BmpSpec b;
    b.width = 6;
    b.height = 3;
    b.bpp = 8;
    b.compression = 1;
    b.colorsUsed = 3;
    b.palette = Quad(0, 0, 0) + Quad(255, 0, 0) + Quad(0, 255, 0);
    b.pixels = Bytes({
        3, 1,              // bottom row: three red
        0, 3, 2, 1, 2, 0,  // then absolute: green, red, green (+ pad byte)
        0, 0,              // end of line
        0, 2, 4, 1,        // delta: 4 right, 1 up -> row 2 from the bottom, x 4
        2, 2,              // two green at x 4 and 5 of the top row
        0, 1,              // end of bitmap
        9, 1,              // after the end: ignored
    });
    const MemoryImage img = Decoded(Build(b));
    const Rgb bottom[6] = {kRed, kRed, kRed, kGreen, kRed, kGreen};
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(img.GetPixel(x, 2), bottom[x]) << x;
        EXPECT_EQ(img.GetPixel(x, 1), kBlack) << x;  // skipped by the delta
        EXPECT_EQ(img.GetPixel(x, 0), x >= 4 ? kGreen : kBlack) << x;
    }
}

TEST(BmpDecode, Rle4AlternatesNibblesAndClipsLongRuns) {
    BmpSpec b;
    b.width = 4;
    b.height = 1;
    b.bpp = 4;
    b.compression = 2;
    b.colorsUsed = 3;
    b.palette = Quad(0, 0, 0) + Quad(255, 0, 0) + Quad(0, 255, 0);
    b.pixels = Bytes({3, 0x12, 0, 3, 0x21, 0x00, 0, 1});  // red green red, then absolute green red (clipped)
    const MemoryImage img = Decoded(Build(b));
    EXPECT_EQ(img.GetPixel(0, 0), kRed);
    EXPECT_EQ(img.GetPixel(1, 0), kGreen);
    EXPECT_EQ(img.GetPixel(2, 0), kRed);
    EXPECT_EQ(img.GetPixel(3, 0), kGreen);
}

// ---- reader: refusals ----

TEST(BmpDecode, EveryTruncationOfAValidFileIsRefused) {
    MemoryImage src(4, 3);  // 12-byte rows: no padding, so every byte counts
    src.Fill(kYellow);
    const std::string file = EncodeBmp24(src);
    for (std::size_t len = 0; len < file.size(); ++len) {
        MemoryImage out(1, 1);
        out.SetPixel(0, 0, kRed);
        EXPECT_FALSE(DecodeBmp(std::string_view(file).substr(0, len), out)) << len;
        EXPECT_EQ(out.Width(), 1);  // the target is left as it was
        EXPECT_EQ(out.GetPixel(0, 0), kRed);
    }
}

TEST(BmpDecode, AbsurdOrInvalidSizesAreRefused) {
    const std::pair<std::int32_t, std::int32_t> sizes[] = {
        {100000, 100000},   // ten billion pixels
        {INT_MAX, 1},       // a row whose byte count overflows 32 bits
        {1, INT_MIN},       // a height that cannot be negated in 32 bits
        {0, 5},
        {5, 0},
        {-3, 5},
        {10001, 10000},     // just over 100 million pixels
    };
    for (auto [w, h] : sizes) {
        BmpSpec b;
        b.width = w;
        b.height = h;
        b.pixels = std::string(64, '\0');
        MemoryImage out;
        std::string error;
        EXPECT_FALSE(DecodeBmp(Build(b), out, &error)) << w << "x" << h;
        EXPECT_FALSE(error.empty());
    }
}

TEST(BmpDecode, BadOffsetsHeadersAndCompressionsAreRefused) {
    BmpSpec good;
    good.width = 1;
    good.pixels = Bytes({0, 0, 255, 0});
    MemoryImage out;
    ASSERT_TRUE(DecodeBmp(Build(good), out));

    auto refused = [](BmpSpec b, const char* what) {
        MemoryImage img;
        EXPECT_FALSE(DecodeBmp(Build(b), img)) << what;
    };
    BmpSpec b = good;
    b.offBitsOverride = 1000;
    refused(b, "data offset past the end");
    b.offBitsOverride = 20;
    refused(b, "data offset inside the header");
    b = good;
    b.headerSize = 64;
    refused(b, "unknown header size");
    b = good;
    b.bpp = 2;
    refused(b, "two bits per pixel");
    b = good;
    b.compression = 4;
    refused(b, "JPEG");
    b = good;
    b.compression = 1;
    refused(b, "RLE8 with 24 bits");
    b = good;
    b.compression = 3;
    b.masks = {0xFF0000, 0xFF00, 0xFF};
    refused(b, "bitfields with 24 bits");

    std::string notBmp = Build(good);
    notBmp[0] = 'P';
    EXPECT_FALSE(DecodeBmp(notBmp, out));
}

TEST(BmpDecode, TruncatedPalettesAndMasksAreRefused) {
    BmpSpec b;
    b.width = 1;
    b.bpp = 8;
    b.colorsUsed = 200;
    b.palette = Quad(255, 0, 0);  // one entry where 200 are announced
    b.offBitsOverride = 14 + 40 + 4;
    MemoryImage out;
    EXPECT_FALSE(DecodeBmp(Build(b), out));

    // A 40-byte header with BI_BITFIELDS whose masks would lie past the end of the file.
    BmpSpec m;
    m.width = 1;
    m.bpp = 16;
    m.compression = 3;
    std::string file = Build(m);
    file.resize(14 + 40 + 6);
    EXPECT_FALSE(DecodeBmp(file, out));
}

TEST(BmpDecode, RleRefusesTopDownTruncatedRunsAndBombs) {
    BmpSpec b;
    b.width = 4;
    b.height = -1;
    b.bpp = 8;
    b.compression = 1;
    b.colorsUsed = 1;
    b.palette = Quad(255, 0, 0);
    b.pixels = Bytes({4, 0, 0, 1});
    MemoryImage out;
    std::string error;
    EXPECT_FALSE(DecodeBmp(Build(b), out, &error)) << "top-down RLE";
    EXPECT_EQ(error, "上から下への圧縮画像は不正です");

    b.height = 1;
    b.pixels = Bytes({4, 0, 0, 1});
    ASSERT_TRUE(DecodeBmp(Build(b), out));  // the same file bottom-up is fine
    EXPECT_EQ(out.GetPixel(3, 0), kRed);
    b.pixels = Bytes({0, 40, 1, 2});  // absolute run of 40 with two bytes left
    EXPECT_FALSE(DecodeBmp(Build(b), out, &error)) << "absolute run past the end";
    EXPECT_EQ(error, "圧縮データが途中で切れています");
    error.clear();
    b.pixels = Bytes({0, 2, 7});  // delta without its two bytes
    EXPECT_FALSE(DecodeBmp(Build(b), out, &error)) << "delta past the end";
    EXPECT_EQ(error, "圧縮データが途中で切れています");

    b.width = 9000;
    b.height = 9000;
    b.pixels = Bytes({0, 1});
    EXPECT_FALSE(DecodeBmp(Build(b), out, &error)) << "81 million pixels from two bytes";
    EXPECT_EQ(error, "圧縮データが画像の大きさに比べて少なすぎます");
}

}  // namespace
}  // namespace tesslor
