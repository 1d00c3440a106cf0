// Arbitrary bytes as an image file for import, through Qt's readers (PNG,
// JPEG, BMP and the rest) or the GIF composition, then onto the board:
// nothing may crash or read outside an image, every frame kept must be a
// whole image within 8192 a side, and a refusal must say why.
#include <QImage>
#include <QBuffer>
#include <QImageReader>
#include <cstddef>
#include <cstdint>
#include <string>

#include "led/ImageImport.h"
#include "platform/ImportImageFile.h"

namespace {
// Readers that set up tables or load plugins on first use do it here, not
// inside a run (where it would count as memory that run never gave back).
void WarmUp() {
    for (const char* format : {"PNG", "BMP", "JPEG", "GIF", "PPM", "XPM", "WEBP", "TIFF", "ICO", "TGA", "WBMP", "ICNS", "MNG"}) {
        QImage image(2, 2, QImage::Format_RGB32);
        image.fill(Qt::red);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, format);
        tesslor::gui::ImportImageFile out;
        std::string message;
        tesslor::gui::DecodeImportImage(bytes.toStdString(), "warm-up", 1, out, message);
        tesslor::gui::DecodeImportImage(std::string("not an image"), "warm-up", 1, out, message);
    }
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Large images are refused by their declared size; below that, keep each
    // run small enough for the fuzzer to get through many.
    QImageReader::setAllocationLimit(64);
    WarmUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tesslor;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    gui::ImportImageFile out;
    std::string message;
    if (!gui::DecodeImportImage(bytes, "fuzz", 2, out, message)) {
        if (message.empty()) __builtin_trap();
        return 0;
    }
    if (out.KeptFrames() < 1 || out.KeptFrames() > 2 || out.totalFrames < out.KeptFrames()) __builtin_trap();
    // Every kept frame, composed again from the file, is whole and the first is the one kept.
    int seen = 0;
    gui::ForEachImportFrame(out, [&](const RgbaImage& frame) {
        if (frame.Empty() || frame.width > kMaxImportSide || frame.height > kMaxImportSide) __builtin_trap();
        if (frame.rgba.size() != static_cast<std::size_t>(frame.width) * frame.height * 4) __builtin_trap();
        if (seen++ == 0 && frame.rgba != out.first.rgba) __builtin_trap();
        ImportOptions o;
        o.fit = true;
        o.dither = ImportDither::Diffusion;
        const PictureDots dots = ImportImageDots(frame, o, DisplayShape{});
        (void)dots;
    });
    if (seen != out.KeptFrames()) __builtin_trap();
    return 0;
}
