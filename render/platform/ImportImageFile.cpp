#include "platform/ImportImageFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <cstring>

#include "files/GifFile.h"
#include "platform/FileMessages.h"

namespace tesslor::gui {

namespace {

bool IsGif(const std::string& bytes) { return bytes.rfind("GIF87a", 0) == 0 || bytes.rfind("GIF89a", 0) == 0; }

bool TooLarge(int width, int height) { return width > kMaxImportSide || height > kMaxImportSide; }

std::string Named(const std::string& name, const std::string& text) { return "ファイル " + name + ": " + text; }

bool DecodeGifFrames(const std::string& bytes, const std::string& name, int maxFrames, ImportImageFile& out,
                     std::string& message) {
    std::string why;
    const bool whole = ForEachGifFrame(
        bytes,
        [&](const RgbaImage& screen, int delayCs) {
            if (out.totalFrames == 0) out.first = screen;
            if (out.KeptFrames() < maxFrames) out.delaysCs.push_back(delayCs);
            ++out.totalFrames;
            return true;
        },
        &why);
    // A GIF cut short keeps the frames it had, as a browser shows them; one
    // that holds no frame at all is no picture.
    if (out.totalFrames > 0) {
        if (out.KeptFrames() > 1) out.gif = bytes;
        return true;
    }
    message = !whole && why.rfind("画像が大きすぎます", 0) == 0 ? Named(name, why) : NotAnImageMessage(name);
    return false;
}

}  // namespace

void AllowImportSizedImages() {
    // The largest image taken, at eight bytes a pixel (16-bit colour).
    QImageReader::setAllocationLimit(kMaxImportSide / 1024 * kMaxImportSide / 1024 * 8);
}

std::string NotAnImageMessage(const std::string& name) {
    return "ファイル " + name + " は画像として読めません（PNG、JPEG、GIF、BMP などを読めます）";
}

bool DecodeImportImage(const std::string& bytes, const std::string& name, int maxFrames, ImportImageFile& out,
                       std::string& message) {
    out = {};
    if (IsGif(bytes)) return DecodeGifFrames(bytes, name, maxFrames, out, message);
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    // The size the file declares, before a pixel is decoded.
    const QSize declared = reader.size();
    if (declared.isValid() && TooLarge(declared.width(), declared.height())) {
        message = Named(name, ImageTooLargeMessage(declared.width(), declared.height()));
        return false;
    }
    QImage image = reader.read();
    if (image.isNull()) {
        message = NotAnImageMessage(name);
        return false;
    }
    if (TooLarge(image.width(), image.height())) {
        message = Named(name, ImageTooLargeMessage(image.width(), image.height()));
        return false;
    }
    // Converted in place where Qt can, and let go before the copy is kept:
    // a large image is held twice at most, not three times.
    image = std::move(image).convertToFormat(QImage::Format_RGBA8888);
    RgbaImage frame(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(frame.Pixel(0, y), image.constScanLine(y), static_cast<std::size_t>(image.width()) * 4);
    image = QImage();
    out.first = std::move(frame);
    out.delaysCs.push_back(0);
    out.totalFrames = 1;
    return true;
}

void ForEachImportFrame(const ImportImageFile& image, const std::function<void(const RgbaImage&)>& frame) {
    if (image.gif.empty()) {
        if (image.KeptFrames() > 0) frame(image.first);
        return;
    }
    int k = 0;
    ForEachGifFrame(image.gif, [&](const RgbaImage& screen, int) {
        frame(screen);
        return ++k < image.KeptFrames();
    });
}

bool ReadImportImage(FileSystem& files, const std::string& path, int maxFrames, ImportImageFile& out,
                     std::string& message) {
    std::string bytes;
    if (!files.ReadAll(path, bytes)) {
        out = {};
        message = CannotReadMessage(path);
        return false;
    }
    return DecodeImportImage(bytes, path, maxFrames, out, message);
}

}  // namespace tesslor::gui
