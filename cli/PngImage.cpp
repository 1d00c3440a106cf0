#include "PngImage.h"

#include <QImage>
#include <QMessageLogContext>
#include <QtGlobal>
#include <QSaveFile>
#include <QString>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

#include "platform/FileMessages.h"

namespace tesslor::cli {

namespace {
// The codec's own complaints ("libpng error: …") would reach standard error
// beside the editor's message; the tool reports a failed image in its words.
void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

// libpng writes its errors straight to standard error, so that is closed
// off too while the codec works (the tool has one thread).
struct QuietCodec {
    QuietCodec() : previous(qInstallMessageHandler(Quiet)) {
        std::fflush(stderr);
        savedStderr = ::dup(2);
        const int devNull = ::open("/dev/null", O_WRONLY);
        if (devNull >= 0) {
            ::dup2(devNull, 2);
            ::close(devNull);
        }
    }
    ~QuietCodec() {
        std::fflush(stderr);
        if (savedStderr >= 0) {
            ::dup2(savedStderr, 2);
            ::close(savedStderr);
        }
        qInstallMessageHandler(previous);
    }
    QtMessageHandler previous;
    int savedStderr = -1;
};
}  // namespace

bool PngImage::LoadFromFile(const std::string& path) {
    QuietCodec quiet;
    QImage loaded;
    if (!loaded.load(QString::fromStdString(path))) {
        error_ = CannotReadMessage(path);
        return false;
    }
    const QImage rgb = loaded.convertToFormat(QImage::Format_RGB888);
    const std::int64_t pixels = static_cast<std::int64_t>(rgb.width()) * rgb.height();
    if (pixels > kMaxPixels) {
        error_ = "ファイル " + path + " は大きすぎます";
        return false;
    }
    std::vector<Rgb> data(static_cast<std::size_t>(pixels));
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(data.data() + static_cast<std::size_t>(y) * rgb.width(), rgb.constScanLine(y),
                    static_cast<std::size_t>(rgb.width()) * 3);
    return Assign(rgb.width(), rgb.height(), std::move(data));
}

bool PngImage::SaveToFile(const std::string& path) {
    QuietCodec quiet;
    error_ = CannotWriteMessage(path);
    QImage image(Width(), Height(), QImage::Format_RGB888);
    if (image.isNull() && Width() > 0 && Height() > 0) return false;
    for (int y = 0; y < Height(); ++y)
        std::memcpy(image.scanLine(y), Data() + static_cast<std::size_t>(y) * Width(),
                    static_cast<std::size_t>(Width()) * 3);
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (!image.save(&file, "PNG")) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) return false;
    error_.clear();
    return true;
}

}  // namespace tesslor::cli
