#include "files/GifFile.h"

#ifndef TESSLOR_NO_GIF
#include <gif_lib.h>
#endif

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "platform/FileMessages.h"

namespace tesslor {

#ifndef TESSLOR_NO_GIF
namespace {

struct GifWriteSink {
    std::string bytes;
};

// Big enough for any demo; a canvas past it is refused rather than allocated.
constexpr std::int64_t kMaxGifPixels = 16'000'000;

int WriteToString(GifFileType* gif, const GifByteType* data, int length) {
    auto* sink = static_cast<GifWriteSink*>(gif->UserData);
    sink->bytes.append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
    return length;
}

struct GifReadSource {
    std::string_view bytes;
    std::size_t at = 0;
};

int ReadFromString(GifFileType* gif, GifByteType* data, int length) {
    auto* source = static_cast<GifReadSource*>(gif->UserData);
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(std::max(length, 0)),
                                                source->bytes.size() - source->at);
    std::memcpy(data, source->bytes.data() + source->at, n);
    source->at += n;
    return static_cast<int>(n);
}

std::uint32_t Key(Rgb c) { return (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b; }

// giflib's words for an error; it has none for some codes.
std::string GifReason(int code) {
    const char* text = GifErrorString(code);
    return text ? text : "the GIF cannot be read (error " + std::to_string(code) + ")";
}

void SetError(std::string* error, const std::string& text) {
    if (error) *error = text;
}

// Why the frames cannot make a GIF: none, a first frame of a size a GIF
// cannot hold, or frames of different sizes. Nothing when they can.
std::optional<std::string> FramesProblem(const std::vector<GifFrame>& frames) {
    if (frames.empty()) return "no frames to write";
    const int width = frames[0].image.Width(), height = frames[0].image.Height();
    if (width < 1 || height < 1 || width > 65535 || height > 65535)
        return "a GIF frame must be 1 to 65535 pixels a side";
    for (const GifFrame& f : frames)
        if (f.image.Width() != width || f.image.Height() != height)
            return "the frames of a GIF must all have one size";
    return std::nullopt;
}

// One colour table for every frame, in order of first appearance; past 256
// colours a new one takes the nearest of the first 256.
class GifPalette {
public:
    GifPixelType IndexFor(Rgb c) {
        const auto found = indexOf_.find(Key(c));
        if (found != indexOf_.end()) return found->second;
        GifPixelType index;
        if (colours_.size() < 256) {
            index = static_cast<GifPixelType>(colours_.size());
            colours_.push_back(c);
        } else {
            index = Nearest(c);
        }
        indexOf_.emplace(Key(c), index);
        return index;
    }

    // The image's pixels as indexes into the table.
    std::vector<GifPixelType> Indexed(const MemoryImage& image) {
        std::vector<GifPixelType> pixels(image.Pixels().size());
        for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = IndexFor(image.Pixels()[i]);
        return pixels;
    }

    std::size_t Size() const { return colours_.size(); }

    // The table filled up to 2 to the power bits with black.
    std::vector<GifColorType> ColourTable(int bits) const {
        std::vector<GifColorType> table(std::size_t{1} << bits, GifColorType{0, 0, 0});
        for (std::size_t i = 0; i < colours_.size(); ++i) table[i] = {colours_[i].r, colours_[i].g, colours_[i].b};
        return table;
    }

private:
    GifPixelType Nearest(Rgb c) const {
        int best = 0;
        long bestDistance = -1;
        for (int i = 0; i < 256; ++i) {
            const long dr = colours_[i].r - c.r, dg = colours_[i].g - c.g, db = colours_[i].b - c.b;
            const long d = dr * dr + dg * dg + db * db;
            if (bestDistance < 0 || d < bestDistance) bestDistance = d, best = i;
        }
        return static_cast<GifPixelType>(best);
    }

    std::vector<Rgb> colours_;
    std::map<std::uint32_t, GifPixelType> indexOf_;
};

// The NETSCAPE2.0 block: loop forever.
bool PutLoopForever(GifFileType* gif) {
    const GifByteType netscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    const GifByteType loop[] = {1, 0, 0};
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(gif, sizeof netscape, netscape) == GIF_OK &&
           EGifPutExtensionBlock(gif, sizeof loop, loop) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
}

// One frame: its delay (kept within 0 to 65,535) in a graphics control block,
// then the whole screen's pixels row by row.
bool PutFrame(GifFileType* gif, int delayCs, std::vector<GifPixelType>& pixels, int width, int height) {
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSE_DO_NOT;
    gcb.UserInputFlag = false;
    gcb.DelayTime = std::clamp(delayCs, 0, 65535);
    gcb.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType block[4];
    const std::size_t length = EGifGCBToExtension(&gcb, block);
    bool ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), block) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < height; ++y)
        ok = EGifPutLine(gif, pixels.data() + static_cast<std::size_t>(y) * width, width) == GIF_OK;
    return ok;
}

// What a frame takes until a graphics control block says otherwise: no delay,
// no transparent colour.
GraphicsControlBlock NoGraphicsControl() {
    GraphicsControlBlock gcb{};
    gcb.TransparentColor = NO_TRANSPARENT_COLOR;
    return gcb;
}

// Reads an extension record: a graphics control block goes into gcb, a
// NETSCAPE2.0 loop count into loopCount; others are skipped. False on giflib's error.
bool ReadExtension(GifFileType* gif, GraphicsControlBlock& gcb, int& loopCount) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) != GIF_OK) return false;
    bool netscape = false;
    for (bool first = true; block; first = false) {
        if (code == GRAPHICS_EXT_FUNC_CODE && first) DGifExtensionToGCB(block[0], block + 1, &gcb);
        if (code == APPLICATION_EXT_FUNC_CODE && first)
            netscape = block[0] == 11 && std::memcmp(block + 1, "NETSCAPE2.0", 11) == 0;
        else if (netscape && block[0] >= 3 && block[1] == 1) loopCount = block[2] | (block[3] << 8);
        if (DGifGetExtensionNext(gif, &block) != GIF_OK) return false;
    }
    return true;
}

// The order an image's rows arrive in: interlaced images come in four passes.
std::vector<int> RowOrder(int height, bool interlaced) {
    std::vector<int> rows;
    if (interlaced) {
        for (const auto& [startRow, step] : {std::pair{0, 8}, std::pair{4, 8}, std::pair{2, 4}, std::pair{1, 2}})
            for (int y = startRow; y < height; y += step) rows.push_back(y);
    } else {
        for (int y = 0; y < height; ++y) rows.push_back(y);
    }
    return rows;
}

// Reads an image record's pixels: put(x, y, r, g, b) for every pixel that is
// not gcb's transparent colour, at its place on the screen (which may be
// outside it). False, with why set, when the image is empty or has more than
// maxPixels, or giflib fails.
template <class Put>
bool ReadImagePixels(GifFileType* gif, const GraphicsControlBlock& gcb, std::int64_t maxPixels, std::string& why,
                     Put put) {
    if (DGifGetImageDesc(gif) != GIF_OK) {
        why = GifReason(gif->Error);
        return false;
    }
    const GifImageDesc& d = gif->Image;
    if (d.Width < 1 || d.Height < 1 || std::int64_t{d.Width} * d.Height > maxPixels) {
        why = "a GIF frame is empty or too large";
        return false;
    }
    const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
    std::vector<GifPixelType> line(static_cast<std::size_t>(d.Width));
    for (const int y : RowOrder(d.Height, d.Interlace)) {
        if (DGifGetLine(gif, line.data(), d.Width) != GIF_OK) {
            why = GifReason(gif->Error);
            return false;
        }
        for (int x = 0; x < d.Width; ++x) {
            const int index = line[static_cast<std::size_t>(x)];
            if (index == gcb.TransparentColor) continue;
            if (map && index < map->ColorCount)
                put(d.Left + x, d.Top + y, map->Colors[index].Red, map->Colors[index].Green, map->Colors[index].Blue);
            else
                put(d.Left + x, d.Top + y, 0, 0, 0);
        }
    }
    return true;
}

// Reads an image record onto the canvas (gcb's transparent colour left as it
// was). False, with why set, when the image is empty or too large or giflib fails.
bool ReadImage(GifFileType* gif, const GraphicsControlBlock& gcb, MemoryImage& canvas, std::string& why) {
    return ReadImagePixels(gif, gcb, kMaxGifPixels, why, [&](int x, int y, GifByteType r, GifByteType g, GifByteType b) {
        canvas.SetPixel(x, y, Rgb{r, g, b});
    });
}

// Reads an image record over the screen for import (see ForEachGifFrame);
// area is set to the part of the screen the frame covers.
bool ReadImportImage(GifFileType* gif, const GraphicsControlBlock& gcb, RgbaImage& screen, std::string& why,
                     int area[4]) {
    const bool read = ReadImagePixels(gif, gcb, std::int64_t{65535} * 65535, why,
                                      [&](int x, int y, GifByteType r, GifByteType g, GifByteType b) {
                                          screen.Set(x, y, r, g, b);
                                      });
    const GifImageDesc& d = gif->Image;
    area[0] = std::clamp(d.Left, 0, screen.width);
    area[1] = std::clamp(d.Top, 0, screen.height);
    area[2] = std::clamp(d.Left + d.Width, 0, screen.width);
    area[3] = std::clamp(d.Top + d.Height, 0, screen.height);
    return read;
}

// Clears area of screen to transparent, or copies it from before.
void PutBack(RgbaImage& screen, const int area[4], const RgbaImage* before) {
    for (int y = area[1]; y < area[3]; ++y)
        for (int x = area[0]; x < area[2]; ++x) {
            std::uint8_t* px = screen.Pixel(x, y);
            if (before) std::copy_n(before->Pixel(x, y), 4, px);
            else std::fill_n(px, 4, std::uint8_t{0});
        }
}

}  // namespace

bool ForEachGifFrame(std::string_view bytes, const std::function<bool(const RgbaImage& screen, int delayCs)>& frame,
                     std::string* error) {
    GifReadSource source{bytes};
    int status = 0;
    GifFileType* gif = DGifOpen(&source, ReadFromString, &status);
    if (!gif) {
        SetError(error, GifReason(status));
        return false;
    }
    std::unique_ptr<GifFileType, void (*)(GifFileType*)> owner(gif, [](GifFileType* g) {
        int e = 0;
        DGifCloseFile(g, &e);
    });
    if (gif->SWidth < 1 || gif->SHeight < 1) {
        SetError(error, "the GIF's screen is empty");
        return false;
    }
    if (gif->SWidth > kMaxImportSide || gif->SHeight > kMaxImportSide) {
        SetError(error, ImageTooLargeMessage(gif->SWidth, gif->SHeight));
        return false;
    }
    RgbaImage screen(gif->SWidth, gif->SHeight), before;
    GraphicsControlBlock gcb = NoGraphicsControl();
    for (;;) {
        GifRecordType record;
        if (DGifGetRecordType(gif, &record) != GIF_OK) break;
        if (record == TERMINATE_RECORD_TYPE) return true;
        int loopCount = -1;
        if (record == EXTENSION_RECORD_TYPE) {
            if (!ReadExtension(gif, gcb, loopCount)) break;
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE) continue;
        if (gcb.DisposalMode == DISPOSE_PREVIOUS) before = screen;
        std::string why;
        int area[4] = {0, 0, 0, 0};
        if (!ReadImportImage(gif, gcb, screen, why, area)) {
            SetError(error, why);
            return false;
        }
        if (!frame(screen, gcb.DelayTime)) return true;
        if (gcb.DisposalMode == DISPOSE_BACKGROUND) PutBack(screen, area, nullptr);
        if (gcb.DisposalMode == DISPOSE_PREVIOUS) PutBack(screen, area, &before);
        gcb = NoGraphicsControl();
    }
    SetError(error, GifReason(gif->Error));
    return false;
}

std::optional<std::string> EncodeAnimatedGif(const std::vector<GifFrame>& frames, std::string* error) {
    if (const std::optional<std::string> problem = FramesProblem(frames)) {
        SetError(error, *problem);
        return std::nullopt;
    }
    const int width = frames[0].image.Width(), height = frames[0].image.Height();
    GifPalette palette;
    std::vector<std::vector<GifPixelType>> indexed;
    indexed.reserve(frames.size());
    for (const GifFrame& f : frames) indexed.push_back(palette.Indexed(f.image));
    const int bits = std::max(1, GifBitSize(static_cast<int>(palette.Size())));
    std::vector<GifColorType> colours = palette.ColourTable(bits);

    GifWriteSink sink;
    int status = 0;
    GifFileType* gif = EGifOpen(&sink, WriteToString, &status);
    if (!gif) {
        SetError(error, GifReason(status));
        return std::nullopt;
    }
    std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> map(
        GifMakeMapObject(static_cast<int>(colours.size()), colours.data()), GifFreeMapObject);
    bool ok = map != nullptr;
    EGifSetGifVersion(gif, true);
    ok = ok && EGifPutScreenDesc(gif, width, height, bits, 0, map.get()) == GIF_OK;
    ok = ok && PutLoopForever(gif);
    for (std::size_t k = 0; ok && k < frames.size(); ++k)
        ok = PutFrame(gif, frames[k].delayCs, indexed[k], width, height);
    int closeStatus = 0;
    const bool closed = EGifCloseFile(gif, &closeStatus) == GIF_OK;
    if (!ok || !closed) {
        SetError(error, "the GIF could not be encoded");
        return std::nullopt;
    }
    return std::move(sink.bytes);
}

std::optional<DecodedGif> DecodeGif(std::string_view bytes, std::string* error) {
    GifReadSource source{bytes};
    int status = 0;
    GifFileType* gif = DGifOpen(&source, ReadFromString, &status);
    if (!gif) {
        SetError(error, GifReason(status));
        return std::nullopt;
    }
    std::unique_ptr<GifFileType, void (*)(GifFileType*)> owner(gif, [](GifFileType* g) {
        int e = 0;
        DGifCloseFile(g, &e);
    });
    auto fail = [&](const std::string& why) {
        SetError(error, why);
        return std::nullopt;
    };
    if (gif->SWidth < 1 || gif->SHeight < 1 || std::int64_t{gif->SWidth} * gif->SHeight > kMaxGifPixels)
        return fail("the GIF's screen is empty or too large");
    DecodedGif out;
    out.width = gif->SWidth;
    out.height = gif->SHeight;
    MemoryImage canvas(out.width, out.height);
    GraphicsControlBlock gcb = NoGraphicsControl();
    // Record by record, so that an image's size is checked before anything is
    // allocated for it (a few bytes may claim an image of gigabytes).
    for (;;) {
        GifRecordType record;
        if (DGifGetRecordType(gif, &record) != GIF_OK) return fail(GifReason(gif->Error));
        if (record == TERMINATE_RECORD_TYPE) break;
        if (record == EXTENSION_RECORD_TYPE) {
            if (!ReadExtension(gif, gcb, out.loopCount)) return fail(GifReason(gif->Error));
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE) continue;
        std::string why;
        if (!ReadImage(gif, gcb, canvas, why)) return fail(why);
        out.frames.push_back(GifFrame{canvas, gcb.DelayTime});
        gcb = NoGraphicsControl();
    }
    return out;
}

#else
// A build without giflib (the Windows command-line tool) says so instead.
std::optional<std::string> EncodeAnimatedGif(const std::vector<GifFrame>&, std::string* error) {
    if (error) *error = kNoGifMessage;
    return std::nullopt;
}

std::optional<DecodedGif> DecodeGif(std::string_view, std::string* error) {
    if (error) *error = kNoGifMessage;
    return std::nullopt;
}

bool ForEachGifFrame(std::string_view, const std::function<bool(const RgbaImage&, int)>&, std::string* error) {
    if (error) *error = kNoGifMessage;
    return false;
}
#endif

bool WriteAnimatedGif(FileSystem& files, const std::string& path, const std::vector<GifFrame>& frames,
                      std::string* error) {
    const std::optional<std::string> bytes = EncodeAnimatedGif(frames, error);
    if (!bytes) return false;
    std::unique_ptr<OutputFile> out = files.Create(path);
    if (!out || !out->Write(*bytes) || !out->Commit()) {
        if (error) *error = out ? CannotWriteMessage(path) : CreateRefusal(files, path, CannotWriteMessage(path));
        return false;
    }
    return true;
}

}  // namespace tesslor
