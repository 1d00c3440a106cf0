// Images onto the board: a full-HD PNG decoded, fitted and diffused, beside
// Qt's decoding of the same bytes alone; and the import window's preview when
// only the threshold changes (a dragged slider), for a picture that fills the
// whole board, beside the same board's dots copied once.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <string>

#include "led/ImageImport.h"
#include "platform/ImportImageFile.h"

namespace {

using namespace tesslor;

// A photo-like picture: gradients in every channel and a bright disc.
QImage Photo(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int dx = x - width / 2, dy = y - height / 2;
            const bool disc = dx * dx + dy * dy < (height / 3) * (height / 3);
            image.setPixel(x, y, disc ? qRgb(250, 240, 200) : qRgb(x * 255 / width, y * 255 / height, (x + y) % 256));
        }
    return image;
}

std::string PngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

const std::string& FullHdPng() {
    static const std::string bytes = PngBytes(Photo(1920, 1080));
    return bytes;
}

void BM_QtDecodePng1920x1080(benchmark::State& state) {
    const std::string& png = FullHdPng();
    for (auto _ : state) {
        QByteArray data = QByteArray::fromRawData(png.data(), static_cast<qsizetype>(png.size()));
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        QImage image = reader.read();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_QtDecodePng1920x1080)->Unit(benchmark::kMillisecond);

void BM_ImportPng1920x1080FitDiffusion(benchmark::State& state) {
    const std::string& png = FullHdPng();
    ImportOptions o;
    o.fit = true;
    o.dither = ImportDither::Diffusion;
    for (auto _ : state) {
        gui::ImportImageFile file;
        std::string message;
        if (!gui::DecodeImportImage(png, "bench.png", 1, file, message)) state.SkipWithError(message.c_str());
        PictureDots dots = ImportImageDots(file.first, o, DisplayShape{});
        benchmark::DoNotOptimize(dots);
    }
}
BENCHMARK(BM_ImportPng1920x1080FitDiffusion)->Unit(benchmark::kMillisecond);

// The preview for a picture fitted to all 480 x 80 dots (a 6:1 image).
RgbaImage Banner() {
    const QImage photo = Photo(1920, 320).convertToFormat(QImage::Format_RGBA8888);
    RgbaImage image(photo.width(), photo.height());
    for (int y = 0; y < photo.height(); ++y)
        std::copy_n(photo.constScanLine(y), photo.width() * 4, image.Pixel(0, y));
    return image;
}

void PreviewThreshold(benchmark::State& state, ImportDither dither) {
    ImportPreview preview(Banner());
    ImportOptions o;
    o.fit = true;
    o.dither = dither;
    benchmark::DoNotOptimize(preview.Dots(o, DisplayShape{}));  // the fit, once, as the window's opening does
    int t = 0;
    for (auto _ : state) {
        o.threshold = t++ % 256;
        PictureDots dots = preview.Dots(o, DisplayShape{});
        benchmark::DoNotOptimize(dots);
    }
}
void BM_PreviewThresholdNone(benchmark::State& state) { PreviewThreshold(state, ImportDither::None); }
void BM_PreviewThresholdOrdered(benchmark::State& state) { PreviewThreshold(state, ImportDither::Ordered); }
void BM_PreviewThresholdDiffusion(benchmark::State& state) { PreviewThreshold(state, ImportDither::Diffusion); }
BENCHMARK(BM_PreviewThresholdNone)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PreviewThresholdOrdered)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PreviewThresholdDiffusion)->Unit(benchmark::kMicrosecond);

// The baseline: the board's dots copied once.
void BM_BoardCopy(benchmark::State& state) {
    PictureDots dots;
    for (auto _ : state) {
        PictureDots copy = dots;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_BoardCopy)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
