#include "platform/MemoryImage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "platform/FileMessages.h"
#include "platform/BmpCodec.h"

namespace tesslor {

namespace {

bool SizeAcceptable(std::int64_t width, std::int64_t height) {
    return width * height <= MemoryImage::kMaxPixels;
}

// Liang-Barsky clipping of the segment (x0, y0) - (x1, y1) against the box
// [xmin, xmax] x [ymin, ymax]. False when nothing of the segment lies inside.
bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double xmin, double ymin, double xmax,
                 double ymax) {
    double t0 = 0.0, t1 = 1.0;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - xmin, xmax - x0, y0 - ymin, ymax - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
    }
    const double nx0 = x0 + t0 * dx, ny0 = y0 + t0 * dy;
    const double nx1 = x0 + t1 * dx, ny1 = y0 + t1 * dy;
    x0 = nx0;
    y0 = ny0;
    x1 = nx1;
    y1 = ny1;
    return true;
}

}  // namespace

MemoryImage::MemoryImage(int width, int height, FileSystem& files) : files_(files) { SetSize(width, height); }

void MemoryImage::SetPen(Rgb colour, int width) {
    pen_ = colour;
    penWidth_ = std::clamp(width, 1, kMaxPenWidth);
}

bool MemoryImage::TrySetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (!SizeAcceptable(width, height)) return false;
    if (width == width_ && height == height_) return true;
    std::vector<Rgb> next(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kBlack);
    const int keepW = std::min(width, width_), keepH = std::min(height, height_);
    for (int y = 0; y < keepH; ++y) {
        const Rgb* from = pixels_.data() + static_cast<std::size_t>(y) * width_;
        std::copy(from, from + keepW, next.data() + static_cast<std::size_t>(y) * width);
    }
    pixels_ = std::move(next);
    width_ = width;
    height_ = height;
    return true;
}

void MemoryImage::SetSize(int width, int height) { TrySetSize(width, height); }

void MemoryImage::Fill(Rgb colour) { std::fill(pixels_.begin(), pixels_.end(), colour); }

bool MemoryImage::Assign(int width, int height, std::vector<Rgb> pixels) {
    if (width < 0 || height < 0 || !SizeAcceptable(width, height)) return false;
    if (pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) return false;
    pixels_ = std::move(pixels);
    width_ = width;
    height_ = height;
    return true;
}

void MemoryImage::SetPixel(int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * width_ + x] = colour;
}

Rgb MemoryImage::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kBlack;
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void MemoryImage::FillClipped(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, Rgb colour) {
    x1 = std::max<std::int64_t>(x1, 0);
    y1 = std::max<std::int64_t>(y1, 0);
    x2 = std::min<std::int64_t>(x2, width_);
    y2 = std::min<std::int64_t>(y2, height_);
    for (std::int64_t y = y1; y < y2; ++y) {
        Rgb* row = pixels_.data() + static_cast<std::size_t>(y) * width_;
        std::fill(row + x1, row + std::max(x1, x2), colour);
    }
}

void MemoryImage::Rectangle(int x1, int y1, int x2, int y2) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    const std::int64_t l = x1, t = y1, r = x2, b = y2, w = penWidth_;
    if (r <= l || b <= t) return;
    // The outline bands first, then the inside (which is empty when the pen is
    // as wide as half the box).
    FillClipped(l, t, r, std::min(t + w, b), pen_);
    FillClipped(l, std::max(b - w, t), r, b, pen_);
    FillClipped(l, t, std::min(l + w, r), b, pen_);
    FillClipped(std::max(r - w, l), t, r, b, pen_);
    if (r - l > 2 * w && b - t > 2 * w) FillClipped(l + w, t + w, r - w, b - w, brush_);
}

void MemoryImage::Ellipse(int x1, int y1, int x2, int y2) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x2 == x1 || y2 == y1) return;
    const double cx = (static_cast<double>(x1) + x2) / 2.0, cy = (static_cast<double>(y1) + y2) / 2.0;
    const double rx = (static_cast<double>(x2) - x1) / 2.0, ry = (static_cast<double>(y2) - y1) / 2.0;
    const double irx = rx - penWidth_, iry = ry - penWidth_;  // the inside, without the outline
    const int fromX = std::max(x1, 0), toX = std::min(x2, width_);
    const int fromY = std::max(y1, 0), toY = std::min(y2, height_);
    for (int y = fromY; y < toY; ++y) {
        const double dy = y + 0.5 - cy;
        Rgb* row = pixels_.data() + static_cast<std::size_t>(y) * width_;
        for (int x = fromX; x < toX; ++x) {
            const double dx = x + 0.5 - cx;
            if ((dx / rx) * (dx / rx) + (dy / ry) * (dy / ry) > 1.0) continue;
            const bool inside = irx > 0 && iry > 0 && (dx / irx) * (dx / irx) + (dy / iry) * (dy / iry) <= 1.0;
            row[x] = inside ? brush_ : pen_;
        }
    }
}

void MemoryImage::MoveTo(int x, int y) { current_ = {x, y}; }

void MemoryImage::PenDot(int x, int y) {
    if (penWidth_ == 1) {
        SetPixel(x, y, pen_);
        return;
    }
    const std::int64_t half = (penWidth_ - 1) / 2;
    FillClipped(x - half, y - half, x - half + penWidth_, y - half + penWidth_, pen_);
}

void MemoryImage::LineTo(int x, int y) {
    const Point from = current_;
    current_ = {x, y};
    if (width_ == 0 || height_ == 0) return;
    double fx0 = from.x, fy0 = from.y, fx1 = x, fy1 = y;
    // Only the part of the line that can touch the image is walked, so a line
    // with far-away end points costs no more than one across the image.
    const double margin = penWidth_ + 1.0;
    if (!ClipSegment(fx0, fy0, fx1, fy1, -margin, -margin, width_ + margin, height_ + margin)) return;
    const bool endClipped = fx1 != x || fy1 != y;
    long long x0 = std::llround(fx0), y0 = std::llround(fy0);
    const long long xe = std::llround(fx1), ye = std::llround(fy1);
    const long long dx = std::llabs(xe - x0), dy = -std::llabs(ye - y0);
    const int sx = x0 < xe ? 1 : -1, sy = y0 < ye ? 1 : -1;
    long long err = dx + dy;
    for (;;) {
        const bool atEnd = x0 == xe && y0 == ye;
        if (atEnd && !endClipped) break;
        PenDot(static_cast<int>(x0), static_cast<int>(y0));
        if (atEnd) break;
        const long long e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void MemoryImage::TextOut(int, int, const std::string&, const FontSpec&, Rgb, Rgb) {}

bool MemoryImage::LoadFromFile(const std::string& path) {
    FileSystem& files = Files();
    std::string bytes;
    if (!files.ReadAll(path, bytes)) {
        errorText_ = CannotReadMessage(path);
        return false;
    }
    std::string why;
    if (!DecodeBmp(bytes, *this, &why)) {
        errorText_ = "ファイル " + path + " はビットマップとして読めません（" + why + "）";
        return false;
    }
    return true;
}

bool MemoryImage::SaveToFile(const std::string& path) {
    FileSystem& files = Files();
    const std::string bytes = EncodeBmp24(*this);
    std::unique_ptr<OutputFile> out = files.Create(path);
    if (!out || !out->Write(bytes) || !out->Commit()) {
        errorText_ = out ? CannotWriteMessage(path) : CreateRefusal(files, path, CannotWriteMessage(path));
        return false;
    }
    return true;
}

}  // namespace tesslor
