#include "platform/QtImage.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/FileMessages.h"
#include "platform/QtFonts.h"

namespace tesslor::gui {

namespace {

bool NamesPng(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).suffix().compare(QStringLiteral("png"), Qt::CaseInsensitive) == 0;
}

}  // namespace

void QtImage::TextOut(int x, int y, const std::string& text, const FontSpec& font, Rgb textColour,
                      Rgb background) {
    if (text.empty() || font.pixelSize < 1 || Width() == 0 || Height() == 0) return;
    const QString s = QString::fromStdString(text);
    // Unsmoothed: a smoothed edge is no dot of the unit.
    const QFont f = QFontOf(font, false);
    const QFontMetrics metrics(f);
    // The box the text covers, clipped to the image (64-bit: x + width may not fit an int).
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{x} + metrics.horizontalAdvance(s), Width());
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{y} + metrics.height(), Height());
    if (right <= left || bottom <= top) return;
    const int w = static_cast<int>(right - left), h = static_cast<int>(bottom - top);

    // Only the visible part of the box is rendered: white glyphs on black, then
    // every pixel becomes exactly the text or the background colour.
    QImage mask(w, h, QImage::Format_RGB32);
    mask.fill(Qt::black);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setFont(f);
        painter.setPen(Qt::white);
        painter.drawText(QPoint(static_cast<int>(x - left), static_cast<int>(y - top) + metrics.ascent()), s);
    }
    Rgb* pixels = Data();
    for (int row = 0; row < h; ++row) {
        const QRgb* from = reinterpret_cast<const QRgb*>(mask.constScanLine(row));
        Rgb* to = pixels + static_cast<std::size_t>(top + row) * Width() + left;
        for (int col = 0; col < w; ++col) to[col] = qGreen(from[col]) >= 128 ? textColour : background;
    }
}

bool QtImage::LoadFromFile(const std::string& path) {
    if (NamesPng(path)) return LoadPng(path);
    const bool ok = MemoryImage::LoadFromFile(path);
    if (!ok) errorText_ = MemoryImage::ErrorText();
    return ok;
}

bool QtImage::SaveToFile(const std::string& path) {
    if (NamesPng(path)) return SavePng(path);
    const bool ok = MemoryImage::SaveToFile(path);
    if (!ok) errorText_ = MemoryImage::ErrorText();
    return ok;
}

bool QtImage::LoadPng(const std::string& path) {
    std::string bytes;
    QImage decoded;
    // A file over 2 GB cannot be handed to the decoder whole; it is no picture of ours.
    if (Files().ReadAll(path, bytes) && bytes.size() <= static_cast<std::size_t>(INT32_MAX))
        decoded = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()),
                                   "PNG");
    if (!decoded.isNull()) decoded = decoded.convertToFormat(QImage::Format_RGB32);
    const std::int64_t count = decoded.isNull() ? 0 : std::int64_t{decoded.width()} * decoded.height();
    if (decoded.isNull() || count > kMaxPixels) {
        errorText_ = CannotReadMessage(path);
        return false;
    }
    std::vector<Rgb> pixels(static_cast<std::size_t>(count));
    for (int row = 0; row < decoded.height(); ++row) {
        const QRgb* from = reinterpret_cast<const QRgb*>(decoded.constScanLine(row));
        Rgb* to = pixels.data() + static_cast<std::size_t>(row) * decoded.width();
        for (int col = 0; col < decoded.width(); ++col)
            to[col] = Rgb{static_cast<std::uint8_t>(qRed(from[col])), static_cast<std::uint8_t>(qGreen(from[col])),
                          static_cast<std::uint8_t>(qBlue(from[col]))};
    }
    if (!Assign(decoded.width(), decoded.height(), std::move(pixels))) {
        errorText_ = CannotReadMessage(path);
        return false;
    }
    return true;
}

bool QtImage::SavePng(const std::string& path) {
    QByteArray encoded;
    bool ok = Width() > 0 && Height() > 0;
    if (ok) {
        QImage image(Width(), Height(), QImage::Format_RGB888);
        ok = !image.isNull();
        for (int row = 0; ok && row < Height(); ++row) {
            uchar* to = image.scanLine(row);
            const Rgb* from = Data() + static_cast<std::size_t>(row) * Width();
            for (int col = 0; col < Width(); ++col) {
                to[3 * col] = from[col].r;
                to[3 * col + 1] = from[col].g;
                to[3 * col + 2] = from[col].b;
            }
        }
        if (ok) {
            QBuffer buffer(&encoded);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter writer(&buffer, "PNG");
            ok = writer.write(image);
        }
    }
    bool created = true;
    if (ok) {
        std::unique_ptr<OutputFile> out = Files().Create(path);
        created = out != nullptr;
        ok = out && out->Write(std::string_view(encoded.constData(), static_cast<std::size_t>(encoded.size()))) &&
             out->Commit();
    }
    if (!ok) errorText_ = created ? CannotWriteMessage(path) : CreateRefusal(Files(), path, CannotWriteMessage(path));
    return ok;
}

}  // namespace tesslor::gui
