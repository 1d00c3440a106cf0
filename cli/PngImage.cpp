#include "PngImage.h"

#include <QMessageLogContext>
#include <QtGlobal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace tesslor::cli {

namespace {
// The codec's own complaints ("libpng error: …") would reach standard error
// beside the editor's message; the tool reports a failed image in its words.
void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

// libpng writes its errors straight to standard error, so that is closed
// off too while the codec works (the tool has one thread).
QuietCodec::QuietCodec() : previous_(qInstallMessageHandler(Quiet)) {
    std::fflush(stderr);
    savedStderr_ = ::dup(2);
    const int devNull = ::open("/dev/null", O_WRONLY);
    if (devNull >= 0) {
        ::dup2(devNull, 2);
        ::close(devNull);
    }
}

QuietCodec::~QuietCodec() {
    std::fflush(stderr);
    if (savedStderr_ >= 0) {
        ::dup2(savedStderr_, 2);
        ::close(savedStderr_);
    }
    qInstallMessageHandler(previous_);
}

bool PngImage::LoadFromFile(const std::string& path) {
    QuietCodec quiet;
    return QtImage::LoadFromFile(path);
}

bool PngImage::SaveToFile(const std::string& path) {
    QuietCodec quiet;
    return QtImage::SaveToFile(path);
}

}  // namespace tesslor::cli
