// The text message editor's live preview: the dots of a drawn 800 x 80
// canvas, beside the conversion 表示データ作成 runs on the same canvas, and
// the table's bytes both ways beside copying as many bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "files/Bitmap.h"
#include "makers/MongonForm.h"
#include "platform/MemoryImage.h"
#include "platform/NullSurface.h"

namespace {

using namespace tesslor;

// A canvas with every fourth pixel lit in one of the three colours.
MemoryImage LitCanvas() {
    MemoryImage canvas(kMongonCanvasWidth, kMongonCanvasHeight);
    const Rgb colours[] = {kRed, kGreen, kYellow};
    for (int y = 0; y < kMongonCanvasHeight; ++y)
        for (int x = 0; x < kMongonCanvasWidth; x += 4) canvas.SetPixel(x + y % 4, y, colours[(x + y) % 3]);
    return canvas;
}

// The preview's work after the drawing: reading the canvas into dot codes.
class PreLitImage : public MemoryImage {
public:
    PreLitImage() : MemoryImage(LitCanvas()) {}
    void SetSize(int, int) override {}
    void Rectangle(int, int, int, int) override {}
};

void PreviewDots(benchmark::State& state) {
    PreLitImage canvas;
    const MongonTable table;
    for (auto _ : state) benchmark::DoNotOptimize(MongonPreviewDots(table, canvas, 5));
}
BENCHMARK(PreviewDots);

// Baseline: the document's own conversion of the same canvas.
void ConvertCanvasToPicture(benchmark::State& state) {
    const MemoryImage canvas = LitCanvas();
    NullSurface surface;
    LedHyoujikiClass doc(surface);
    for (auto _ : state) {
        doc.ClearAll();
        ConvertImageToPicture(canvas, doc);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ConvertCanvasToPicture);

MongonTable FullTable() {
    MongonTable table;
    for (int i = 0; i < kMongonRows; ++i) {
        table.Rows[i] = MongonRow{i * 40, i * 8, "温度 25℃ 湿度 60% 騒音 65dB 振動 40dB", WindowMongonFont()};
    }
    return table;
}

void EncodeTable(benchmark::State& state) {
    const MongonTable table = FullTable();
    for (auto _ : state) benchmark::DoNotOptimize(EncodeMongonTable(table));
}
BENCHMARK(EncodeTable);

void DecodeTable(benchmark::State& state) {
    const std::string bytes = *EncodeMongonTable(FullTable());
    for (auto _ : state) benchmark::DoNotOptimize(DecodeMongonTable(bytes));
}
BENCHMARK(DecodeTable);

// Baseline: copying the file's 5,560 bytes.
void CopyTableBytes(benchmark::State& state) {
    const std::string bytes = *EncodeMongonTable(FullTable());
    for (auto _ : state) {
        std::string copy(bytes);
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(CopyTableBytes);

}  // namespace
