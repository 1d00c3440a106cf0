#include "platform/BmpCodec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace tesslor {

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
// Run-length encoded images up to this many pixels are decoded however short their data.
constexpr std::int64_t kRleFreePixels = 4'000'000;

void PutU16(std::string& s, std::size_t at, std::uint32_t v) {
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void PutU32(std::string& s, std::size_t at, std::uint32_t v) {
    PutU16(s, at, v & 0xFFFF);
    PutU16(s, at + 2, v >> 16);
}

// Little-endian reads; the caller has checked that the bytes are there.
std::uint32_t U8(std::string_view b, std::size_t at) { return static_cast<unsigned char>(b[at]); }
std::uint32_t U16(std::string_view b, std::size_t at) { return U8(b, at) | (U8(b, at + 1) << 8); }
std::uint32_t U32(std::string_view b, std::size_t at) { return U16(b, at) | (U16(b, at + 2) << 16); }
std::int32_t S32(std::string_view b, std::size_t at) { return static_cast<std::int32_t>(U32(b, at)); }

bool Fail(std::string* error, const char* why) {
    if (error) *error = why;
    return false;
}

// One channel of a BI_BITFIELDS pixel, scaled to 0..255 whatever the mask's width.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint64_t max = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (m != 0) {
            shift = std::countr_zero(m);
            max = m >> shift;
        }
    }
    std::uint8_t Of(std::uint32_t pixel) const {
        if (max == 0) return 0;
        const std::uint64_t v = (pixel & mask) >> shift;
        return static_cast<std::uint8_t>((v * 255 + max / 2) / max);
    }
};

struct Header {
    std::int64_t width = 0;
    std::int64_t height = 0;  // rows, always positive
    bool topDown = false;
    std::uint32_t bpp = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t colorsUsed = 0;
    std::uint32_t masks[3] = {0, 0, 0};  // red, green, blue
    std::size_t paletteAt = 0;
    std::size_t paletteEntry = 4;  // RGBQUAD, or RGBTRIPLE for the core header
    std::size_t dataAt = 0;
};

// The core header (12 bytes): 16-bit sizes, rows bottom-up, no compression,
// three-byte palette entries.
bool ReadCoreHeader(std::string_view b, Header& h, std::string* error) {
    h.width = U16(b, 18);
    h.height = U16(b, 20);
    h.bpp = U16(b, 24);
    h.paletteEntry = 3;
    if (h.bpp != 1 && h.bpp != 4 && h.bpp != 8 && h.bpp != 24) return Fail(error, "対応していない色数です");
    return true;
}

// The info header and its longer forms; headerEnd moves past masks that follow
// a plain info header.
bool ReadInfoHeader(std::string_view b, std::uint32_t headerSize, Header& h, std::size_t& headerEnd,
                    std::string* error) {
    h.width = S32(b, 18);
    const std::int64_t height = S32(b, 22);
    h.topDown = height < 0;
    h.height = height < 0 ? -height : height;
    h.bpp = U16(b, 28);
    h.compression = U32(b, 30);
    h.colorsUsed = U32(b, 46);
    if (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) {
        // The plain info header has the masks after it; the longer headers hold them.
        if (headerSize == 40) {
            const std::size_t maskBytes = h.compression == kBiBitfields ? 12 : 16;
            if (b.size() < headerEnd + maskBytes) return Fail(error, "マスクが途中で切れています");
            headerEnd += maskBytes;
        }
        for (int i = 0; i < 3; ++i) h.masks[i] = U32(b, kFileHeaderSize + kInfoHeaderSize + 4 * i);
    }
    return true;
}

// Whether the compression goes with the bits per pixel and the row order.
bool CheckCompression(const Header& h, std::string* error) {
    switch (h.compression) {
        case kBiRgb:
            if (h.bpp != 1 && h.bpp != 4 && h.bpp != 8 && h.bpp != 16 && h.bpp != 24 && h.bpp != 32)
                return Fail(error, "対応していない色数です");
            return true;
        case kBiRle8:
        case kBiRle4:
            if (h.bpp != (h.compression == kBiRle8 ? 8u : 4u)) return Fail(error, "圧縮と色数が合いません");
            if (h.topDown) return Fail(error, "上から下への圧縮画像は不正です");
            return true;
        case kBiBitfields:
        case kBiAlphaBitfields:
            if (h.bpp != 16 && h.bpp != 32) return Fail(error, "圧縮と色数が合いません");
            return true;
        default:
            return Fail(error, "対応していない圧縮形式です");
    }
}

// The palette from headerEnd (up to 8 bits per pixel: its entries, at most
// the full count, all there) and the pixel data's offset, which must lie
// between the headers' end and the file's end.
bool LocatePaletteAndData(std::string_view b, std::uint32_t offBits, std::size_t headerEnd, Header& h,
                          std::string* error) {
    h.paletteAt = headerEnd;
    if (h.bpp <= 8) {
        const std::uint32_t full = 1u << h.bpp;
        const std::uint32_t count = h.colorsUsed == 0 || h.colorsUsed > full ? full : h.colorsUsed;
        if (b.size() < h.paletteAt + std::size_t{count} * h.paletteEntry)
            return Fail(error, "パレットが途中で切れています");
        h.colorsUsed = count;
    }
    if (offBits < headerEnd || offBits > b.size()) return Fail(error, "画素データの位置が正しくありません");
    h.dataAt = offBits;
    return true;
}

bool ReadHeader(std::string_view b, Header& h, std::string* error) {
    if (b.size() < kFileHeaderSize + 4) return Fail(error, "ファイルが短すぎます");
    if (b[0] != 'B' || b[1] != 'M') return Fail(error, "BMファイルではありません");
    const std::uint32_t offBits = U32(b, 10);
    const std::uint32_t headerSize = U32(b, 14);
    if (headerSize != 12 && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
        headerSize != 124)
        return Fail(error, "対応していない情報ヘッダです");
    if (b.size() < kFileHeaderSize + headerSize) return Fail(error, "ヘッダが途中で切れています");
    std::size_t headerEnd = kFileHeaderSize + headerSize;

    const bool read = headerSize == 12 ? ReadCoreHeader(b, h, error)
                                       : ReadInfoHeader(b, headerSize, h, headerEnd, error);
    if (!read) return false;
    if (h.width <= 0 || h.height <= 0) return Fail(error, "画像の大きさが正しくありません");
    if (h.width * h.height > MemoryImage::kMaxPixels) return Fail(error, "画像が大きすぎます");
    if (!CheckCompression(h, error)) return false;
    return LocatePaletteAndData(b, offBits, headerEnd, h, error);
}

std::vector<Rgb> ReadPalette(std::string_view b, const Header& h) {
    std::vector<Rgb> palette(256, kBlack);  // indexes past the palette read as black
    for (std::uint32_t i = 0; i < h.colorsUsed; ++i) {
        const std::size_t at = h.paletteAt + i * h.paletteEntry;
        palette[i] = Rgb{static_cast<std::uint8_t>(b[at + 2]), static_cast<std::uint8_t>(b[at + 1]),
                         static_cast<std::uint8_t>(b[at])};
    }
    return palette;
}

// Whether the bytes can hold the pixels the header announces; checked before
// anything is allocated, so a short file cannot make the reader reserve
// hundreds of megabytes.
bool DataLargeEnough(std::string_view b, const Header& h, std::string* error) {
    const std::int64_t available = static_cast<std::int64_t>(b.size() - h.dataAt);
    if (h.compression == kBiRle8 || h.compression == kBiRle4) {
        // A run can skip whole rows, so a few bytes could claim any size; real
        // files carry far more than one byte per 1024 pixels.
        if (h.width * h.height > std::max<std::int64_t>(kRleFreePixels, available * 1024))
            return Fail(error, "圧縮データが画像の大きさに比べて少なすぎます");
        return true;
    }
    const std::int64_t rowBits = h.width * h.bpp;
    const std::int64_t stride = (rowBits + 31) / 32 * 4;
    // The last row may come without its padding; everything else must be there.
    const std::int64_t needed = stride * (h.height - 1) + (rowBits + 7) / 8;
    if (available < needed) return Fail(error, "画素データが途中で切れています");
    return true;
}

void DecodeRows(std::string_view b, const Header& h, const std::vector<Rgb>& palette, std::vector<Rgb>& px) {
    const std::int64_t rowBits = h.width * h.bpp;
    const std::int64_t stride = (rowBits + 31) / 32 * 4;

    std::uint32_t masks[3] = {h.masks[0], h.masks[1], h.masks[2]};
    if (h.compression == kBiRgb && h.bpp == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    }
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
    const bool plain32 = h.compression == kBiRgb && h.bpp == 32;

    const std::size_t width = static_cast<std::size_t>(h.width);
    for (std::int64_t r = 0; r < h.height; ++r) {
        const std::int64_t y = h.topDown ? r : h.height - 1 - r;
        const unsigned char* row = reinterpret_cast<const unsigned char*>(b.data()) + h.dataAt + r * stride;
        Rgb* out = px.data() + static_cast<std::size_t>(y) * width;
        switch (h.bpp) {
            case 1:
                for (std::size_t x = 0; x < width; ++x) out[x] = palette[(row[x >> 3] >> (7 - (x & 7))) & 1];
                break;
            case 4:
                for (std::size_t x = 0; x < width; ++x)
                    out[x] = palette[(x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4)];
                break;
            case 8:
                for (std::size_t x = 0; x < width; ++x) out[x] = palette[row[x]];
                break;
            case 16:
                for (std::size_t x = 0; x < width; ++x) {
                    const std::uint32_t p = row[2 * x] | (std::uint32_t{row[2 * x + 1]} << 8);
                    out[x] = Rgb{red.Of(p), green.Of(p), blue.Of(p)};
                }
                break;
            case 24:
                for (std::size_t x = 0; x < width; ++x) out[x] = Rgb{row[3 * x + 2], row[3 * x + 1], row[3 * x]};
                break;
            case 32:
                for (std::size_t x = 0; x < width; ++x) {
                    const unsigned char* q = row + 4 * x;
                    if (plain32) {
                        out[x] = Rgb{q[2], q[1], q[0]};
                    } else {
                        const std::uint32_t p = q[0] | (std::uint32_t{q[1]} << 8) | (std::uint32_t{q[2]} << 16) |
                                                (std::uint32_t{q[3]} << 24);
                        out[x] = Rgb{red.Of(p), green.Of(p), blue.Of(p)};
                    }
                }
                break;
        }
    }
}

// Run-length encoded 8- and 4-bit pixels. Pixels the runs never reach stay
// black; a file that ends without its end-of-bitmap mark keeps what it had.
bool DecodeRle(std::string_view b, const Header& h, const std::vector<Rgb>& palette, std::vector<Rgb>& px,
               std::string* error) {
    const bool four = h.compression == kBiRle4;
    std::int64_t x = 0, row = 0;  // row counts from the bottom
    auto put = [&](std::uint32_t index) {
        if (x >= 0 && x < h.width && row < h.height)
            px[static_cast<std::size_t>((h.height - 1 - row) * h.width + x)] = palette[index & 0xFF];
        ++x;
    };
    std::size_t pos = h.dataAt;
    while (pos + 2 <= b.size() && row < h.height) {
        const std::uint32_t n = U8(b, pos), c = U8(b, pos + 1);
        pos += 2;
        if (n > 0) {
            const std::int64_t count = std::min<std::int64_t>(n, std::max<std::int64_t>(h.width - x, 0));
            for (std::int64_t i = 0; i < count; ++i) put(four ? ((i & 1) ? (c & 0x0F) : (c >> 4)) : c);
            x += n - count;
            continue;
        }
        if (c == 0) {  // end of line
            x = 0;
            ++row;
        } else if (c == 1) {  // end of bitmap
            break;
        } else if (c == 2) {  // delta
            if (pos + 2 > b.size()) return Fail(error, "圧縮データが途中で切れています");
            x += U8(b, pos);
            row += U8(b, pos + 1);
            pos += 2;
        } else {  // c pixels given one by one, padded to a whole number of 16-bit words
            const std::size_t bytes = four ? (c + 1) / 2 : c;
            const std::size_t padded = (bytes + 1) & ~std::size_t{1};
            if (pos + bytes > b.size()) return Fail(error, "圧縮データが途中で切れています");
            for (std::uint32_t i = 0; i < c; ++i) {
                const std::uint32_t byte = U8(b, pos + (four ? i / 2 : i));
                put(four ? ((i & 1) ? (byte & 0x0F) : (byte >> 4)) : byte);
            }
            pos += std::min(padded, b.size() - pos);
        }
    }
    return true;
}

}  // namespace

std::string EncodeBmp24(const DrawingSurface& image) {
    const std::int64_t width = std::max(image.Width(), 0), height = std::max(image.Height(), 0);
    if (width * height > MemoryImage::kMaxPixels) return {};
    const std::int64_t stride = (width * 3 + 3) / 4 * 4;
    const std::int64_t dataSize = stride * height;
    const std::size_t offset = kFileHeaderSize + kInfoHeaderSize;
    std::string s(offset + static_cast<std::size_t>(dataSize), '\0');

    s[0] = 'B';
    s[1] = 'M';
    PutU32(s, 2, static_cast<std::uint32_t>(s.size()));
    PutU32(s, 10, static_cast<std::uint32_t>(offset));
    PutU32(s, 14, kInfoHeaderSize);
    PutU32(s, 18, static_cast<std::uint32_t>(width));
    PutU32(s, 22, static_cast<std::uint32_t>(height));
    PutU16(s, 26, 1);   // planes
    PutU16(s, 28, 24);  // bits per pixel
    PutU32(s, 30, kBiRgb);
    PutU32(s, 34, static_cast<std::uint32_t>(dataSize));
    PutU32(s, 38, kBmpPixelsPerMetre);
    PutU32(s, 42, kBmpPixelsPerMetre);
    // colours used and important colours stay 0

    const auto* memory = dynamic_cast<const MemoryImage*>(&image);
    for (std::int64_t y = 0; y < height; ++y) {
        // Rows go bottom-up.
        char* row = s.data() + offset + static_cast<std::size_t>((height - 1 - y) * stride);
        const Rgb* src = memory ? memory->Data() + y * width : nullptr;
        for (std::int64_t x = 0; x < width; ++x) {
            const Rgb c = src ? src[x] : image.GetPixel(static_cast<int>(x), static_cast<int>(y));
            row[3 * x] = static_cast<char>(c.b);
            row[3 * x + 1] = static_cast<char>(c.g);
            row[3 * x + 2] = static_cast<char>(c.r);
        }
    }
    return s;
}

bool DecodeBmp(std::string_view bytes, MemoryImage& out, std::string* error) {
    Header h;
    if (!ReadHeader(bytes, h, error)) return false;
    if (!DataLargeEnough(bytes, h, error)) return false;
    const std::vector<Rgb> palette = h.bpp <= 8 ? ReadPalette(bytes, h) : std::vector<Rgb>();
    std::vector<Rgb> px(static_cast<std::size_t>(h.width * h.height), kBlack);
    if (h.compression == kBiRle8 || h.compression == kBiRle4) {
        if (!DecodeRle(bytes, h, palette, px, error)) return false;
    } else {
        DecodeRows(bytes, h, palette, px);
    }
    if (!out.Assign(static_cast<int>(h.width), static_cast<int>(h.height), std::move(px)))
        return Fail(error, "画像が大きすぎます");
    return true;
}

}  // namespace tesslor
