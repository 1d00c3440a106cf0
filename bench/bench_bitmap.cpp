// Bitmap import and export of a full-width picture and the demo's renderings
// at 6 pixels a dot, each beside a baseline in the same run: copying the same
// bytes, or filling an image of the same size with one colour.
#include <benchmark/benchmark.h>

#include <string>

#include "files/Bitmap.h"
#include "platform/BmpCodec.h"
#include "led/Ledhyoujiki.h"
#include "platform/MemoryImage.h"
#include "platform/NullSurface.h"

namespace {

using namespace tesslor;

// A document laid out as the demo lays it out, its picture using all 480 columns.
struct DemoPicture {
    DemoPicture() : doc(surface) {
        for (int x = 0; x < LedHyoujikiClass::kDotColumns; ++x)
            for (int y = 0; y < LedHyoujikiClass::kDotRows; ++y)
                if ((x * 3 + y * 5) % 7 < 3)
                    doc.Board(x / 16, y / 16).Led(x % 16, y % 16).AddColor(static_cast<LedColor>(1 + (x + y) % 3));
        doc.Relayout(surface, 80);
        RenderPictureToImage(doc, image);
        bmp = EncodeBmp24(image);
    }
    NullSurface surface;
    LedHyoujikiClass doc;
    MemoryImage image;  // 480 x 80, one pixel a dot
    std::string bmp;    // the same as a 24-bit BMP file
};

DemoPicture& Picture() {
    static DemoPicture picture;
    return picture;
}

void BM_BitmapImport(benchmark::State& state) {
    DemoPicture& p = Picture();
    NullSurface surface;
    LedHyoujikiClass doc(surface);
    for (auto _ : state) {
        MemoryImage image;
        DecodeBmp(p.bmp, image);
        ReplacePictureWith(image, doc);
        benchmark::DoNotOptimize(doc.DotColor(479, 79));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(p.bmp.size()));
}
BENCHMARK(BM_BitmapImport);

void BM_BitmapImportBaselineCopyBytes(benchmark::State& state) {
    DemoPicture& p = Picture();
    for (auto _ : state) {
        std::string copy = p.bmp;
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(p.bmp.size()));
}
BENCHMARK(BM_BitmapImportBaselineCopyBytes);

void BM_BitmapExport(benchmark::State& state) {
    DemoPicture& p = Picture();
    for (auto _ : state) {
        MemoryImage image;
        RenderPictureToImage(p.doc, image);
        std::string bytes = EncodeBmp24(image);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_BitmapExport);

void BM_BitmapExportBaselineFillAndCopy(benchmark::State& state) {
    DemoPicture& p = Picture();
    for (auto _ : state) {
        MemoryImage image(480, 80);
        image.Fill(kRed);
        std::string bytes = p.bmp;
        benchmark::DoNotOptimize(image.Data());
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_BitmapExportBaselineFillAndCopy);

void BM_RenderNormal(benchmark::State& state) {
    MemoryImage image;
    for (auto _ : state) {
        Picture().doc.RenderNormal(image);
        benchmark::DoNotOptimize(image.Data());
    }
}
BENCHMARK(BM_RenderNormal);

void BM_RenderReversed(benchmark::State& state) {
    MemoryImage image;
    for (auto _ : state) {
        Picture().doc.RenderReversed(image);
        benchmark::DoNotOptimize(image.Data());
    }
}
BENCHMARK(BM_RenderReversed);

void BM_RenderBaselineFill480(benchmark::State& state) {
    MemoryImage image(480, 480);
    for (auto _ : state) {
        image.Fill(kGreen);
        benchmark::DoNotOptimize(image.Data());
    }
}
BENCHMARK(BM_RenderBaselineFill480);

void BM_RenderScrollStrip(benchmark::State& state) {
    MemoryImage image;
    for (auto _ : state) {
        Picture().doc.RenderScrollStrip(image);
        benchmark::DoNotOptimize(image.Data());
    }
    state.counters["width"] = image.Width();
}
BENCHMARK(BM_RenderScrollStrip);

void BM_RenderScrollStripBaselineFill(benchmark::State& state) {
    // 480 + 2880 + 480 pixels: the strip of a picture using all 30 panel columns.
    MemoryImage image(3840, 480);
    for (auto _ : state) {
        image.Fill(kGreen);
        benchmark::DoNotOptimize(image.Data());
    }
}
BENCHMARK(BM_RenderScrollStripBaselineFill);

}  // namespace
