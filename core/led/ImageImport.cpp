#include "led/ImageImport.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tesslor {

namespace {

// Values are compared in thousandths of a level, so that the brightness
// 299 R + 587 G + 114 B and a channel (1000 × R) meet the same threshold 1000 T.
constexpr int kFull = 255000;

// The 4 × 4 Bayer matrix.
constexpr std::array<std::array<int, 4>, 4> kBayer{{{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}}};

// What the ordered matrix adds to a value at (x, y): the matrix entry's
// place in 0 … 255, less the middle, so that a flat grey at T is lit at about
// half its pixels.
int BayerOffset(int x, int y) {
    const int b = kBayer[static_cast<std::size_t>(y & 3)][static_cast<std::size_t>(x & 3)];
    return (2 * b + 1) * kFull / 32 - kFull / 2;
}

// One plane of values a test is made on (a channel, or the brightness) and
// the bits a lit pixel of it gives.
struct Plane {
    int (*value)(const std::uint8_t* px);
    LedColor bits;
};

int RedValue(const std::uint8_t* px) { return 1000 * px[0]; }
int GreenValue(const std::uint8_t* px) { return 1000 * px[1]; }
int Brightness(const std::uint8_t* px) { return 299 * px[0] + 587 * px[1] + 114 * px[2]; }

bool Opaque(const std::uint8_t* px) { return px[3] >= 128; }

// The area of the board the placed image covers and the pixel behind a dot.
struct Placement {
    const RgbaImage& image;
    int x, y, rows;
    const std::uint8_t* At(int bx, int by) const {
        const int ix = bx - x, iy = by - y;
        if (ix < 0 || iy < 0 || ix >= image.width || iy >= image.height) return nullptr;
        return image.Pixel(ix, iy);
    }
};

void Threshold(const Placement& place, const Plane& plane, const ImportOptions& o, PictureDots& dots) {
    const int t = 1000 * o.threshold;
    for (int by = 0; by < place.rows; ++by)
        for (int bx = 0; bx < PictureDots::kColumns; ++bx) {
            const std::uint8_t* px = place.At(bx, by);
            if (!px || !Opaque(px)) continue;
            int v = plane.value(px);
            if (o.dither == ImportDither::Ordered) v += BayerOffset(bx, by);
            if ((v >= t) != o.invert) dots.Set(bx, by, static_cast<LedColor>(dots.Get(bx, by) | plane.bits));
        }
}

// Floyd–Steinberg over the board's dots the image covers: each dot's error
// (its value less the level it was shown at) goes 7/16 right, 3/16 down-left,
// 5/16 down and 1/16 down-right, to dots of opaque pixels on the board only.
void Diffuse(const Placement& place, const Plane& plane, const ImportOptions& o, PictureDots& dots) {
    const int t = 1000 * o.threshold;
    const int w = PictureDots::kColumns;
    std::vector<int> here(static_cast<std::size_t>(w) + 2, 0), below(static_cast<std::size_t>(w) + 2, 0);
    for (int by = 0; by < place.rows; ++by) {
        std::fill(below.begin(), below.end(), 0);
        for (int bx = 0; bx < w; ++bx) {
            const std::uint8_t* px = place.At(bx, by);
            if (!px || !Opaque(px)) continue;
            const int v = plane.value(px) + here[static_cast<std::size_t>(bx) + 1];
            const bool high = v >= t;
            if (high != o.invert) dots.Set(bx, by, static_cast<LedColor>(dots.Get(bx, by) | plane.bits));
            const int error = v - (high ? kFull : 0);
            here[static_cast<std::size_t>(bx) + 2] += error * 7 / 16;
            below[static_cast<std::size_t>(bx)] += error * 3 / 16;
            below[static_cast<std::size_t>(bx) + 1] += error * 5 / 16;
            below[static_cast<std::size_t>(bx) + 2] += error / 16;
        }
        std::swap(here, below);
    }
}

// Per destination index, the source indices it covers with their weights
// (the covered length, in source pixels).
struct Span {
    int first = 0;
    std::vector<double> weights;
};

std::vector<Span> Spans(int source, int dest) {
    std::vector<Span> spans(static_cast<std::size_t>(dest));
    const double scale = static_cast<double>(source) / dest;
    for (int d = 0; d < dest; ++d) {
        const double from = d * scale, to = (d + 1) * scale;
        Span& s = spans[static_cast<std::size_t>(d)];
        s.first = std::min(source - 1, static_cast<int>(std::floor(from)));
        for (int i = s.first; i < source && i < to; ++i)
            s.weights.push_back(std::min<double>(i + 1, to) - std::max<double>(i, from));
    }
    return spans;
}

}  // namespace

LedColor SingleColourCode(ImportColour colour, int nanSyoku) {
    if (nanSyoku == 1) return kLedRed;
    if (nanSyoku == -1) return kLedYellow;
    switch (colour) {
        case ImportColour::Green: return kLedGreen;
        case ImportColour::Orange: return kLedYellow;
        default: return kLedRed;
    }
}

int EnabledDotRows(const DisplayShape& shape) { return std::clamp(shape.TateMaisuu, 0, 5) * 16; }

ImportSize FittedSize(int width, int height, int maxWidth, int maxHeight) {
    if (width <= 0 || height <= 0 || maxWidth <= 0 || maxHeight <= 0) return {};
    // The whole width when the height allows it, else the whole height.
    if (static_cast<long long>(height) * maxWidth <= static_cast<long long>(maxHeight) * width) {
        const long long h = (static_cast<long long>(height) * maxWidth + width / 2) / width;
        return {maxWidth, static_cast<int>(std::clamp<long long>(h, 1, maxHeight))};
    }
    const long long w = (static_cast<long long>(width) * maxHeight + height / 2) / height;
    return {static_cast<int>(std::clamp<long long>(w, 1, maxWidth)), maxHeight};
}

RgbaImage ScaledByAreaAverage(const RgbaImage& image, int width, int height) {
    RgbaImage out(width, height);
    if (image.Empty() || out.Empty()) return out;
    const std::vector<Span> columns = Spans(image.width, out.width), rows = Spans(image.height, out.height);
    // Across first: each source row becomes out.width premultiplied sums.
    std::vector<double> across(static_cast<std::size_t>(out.width) * image.height * 4, 0.0);
    for (int y = 0; y < image.height; ++y)
        for (int dx = 0; dx < out.width; ++dx) {
            const Span& s = columns[static_cast<std::size_t>(dx)];
            double* sum = &across[(static_cast<std::size_t>(y) * out.width + dx) * 4];
            for (std::size_t k = 0; k < s.weights.size(); ++k) {
                const std::uint8_t* px = image.Pixel(s.first + static_cast<int>(k), y);
                const double a = px[3] * s.weights[k];
                sum[0] += px[0] * a;
                sum[1] += px[1] * a;
                sum[2] += px[2] * a;
                sum[3] += a;
            }
        }
    const double area = (static_cast<double>(image.width) / out.width) * (static_cast<double>(image.height) / out.height);
    for (int dy = 0; dy < out.height; ++dy) {
        const Span& s = rows[static_cast<std::size_t>(dy)];
        for (int dx = 0; dx < out.width; ++dx) {
            double sum[4] = {0, 0, 0, 0};
            for (std::size_t k = 0; k < s.weights.size(); ++k) {
                const double* src = &across[(static_cast<std::size_t>(s.first + static_cast<int>(k)) * out.width + dx) * 4];
                for (int c = 0; c < 4; ++c) sum[c] += src[c] * s.weights[k];
            }
            std::uint8_t* px = out.Pixel(dx, dy);
            const auto level = [](double v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L)); };
            if (sum[3] > 0)
                for (int c = 0; c < 3; ++c) px[c] = level(sum[c] / sum[3]);
            px[3] = level(sum[3] / area);
        }
    }
    return out;
}

PictureDots ImportImageDots(const RgbaImage& image, const ImportOptions& options, const DisplayShape& shape) {
    if (!options.fit) return PlacedImageDots(image, options, shape);
    const ImportSize size = FittedSize(image.width, image.height, PictureDots::kColumns, EnabledDotRows(shape));
    return PlacedImageDots(ScaledByAreaAverage(image, size.width, size.height), options, shape);
}

PictureDots PlacedImageDots(const RgbaImage& placed, const ImportOptions& options, const DisplayShape& shape) {
    PictureDots dots;
    const int rows = EnabledDotRows(shape);
    if (placed.Empty() || rows == 0) return dots;
    const Placement place{placed, options.x, options.y, rows};
    std::vector<Plane> planes;
    if (options.colour == ImportColour::Auto && shape.NanSyoku == 2)
        planes = {{RedValue, kLedRed}, {GreenValue, kLedGreen}};
    else
        planes = {{Brightness, SingleColourCode(options.colour, shape.NanSyoku)}};
    for (const Plane& plane : planes) {
        if (options.dither == ImportDither::Diffusion) Diffuse(place, plane, options, dots);
        else Threshold(place, plane, options, dots);
    }
    return dots;
}

PictureDots ImportPreview::Dots(const ImportOptions& options, const DisplayShape& shape) {
    if (!options.fit) return PlacedImageDots(image_, options, shape);
    const int rows = EnabledDotRows(shape);
    if (rows != fittedRows_) {
        const ImportSize size = FittedSize(image_.width, image_.height, PictureDots::kColumns, rows);
        fitted_ = ScaledByAreaAverage(image_, size.width, size.height);
        fittedRows_ = rows;
    }
    return PlacedImageDots(fitted_, options, shape);
}

}  // namespace tesslor
