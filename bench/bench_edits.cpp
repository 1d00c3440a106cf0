// Paint edits on the picture's dots: a flood fill of the whole 480 x 80
// picture beside setting the same dots in a plain loop, and the undo step of a
// picture-wide shift, whose bytes per changed dot are reported as a counter.
#include <benchmark/benchmark.h>

#include <random>

#include "led/PictureDots.h"
#include "led/DocumentHistory.h"

namespace {

using namespace tesslor;

void FloodFillWholePicture(benchmark::State& state) {
    for (auto _ : state) {
        PictureDots dots;
        benchmark::DoNotOptimize(FloodFill(dots, {240, 40}, kLedRed));
    }
}
BENCHMARK(FloodFillWholePicture);

// Baseline: the same 38,400 dots set one by one.
void PlainFillWholePicture(benchmark::State& state) {
    for (auto _ : state) {
        PictureDots dots;
        for (int y = 0; y < PictureDots::kRows; ++y)
            for (int x = 0; x < PictureDots::kColumns; ++x) dots.Set(x, y, kLedRed);
        benchmark::DoNotOptimize(dots.Codes().data());
    }
}
BENCHMARK(PlainFillWholePicture);

PictureDots BusyPicture() {
    std::mt19937 rng(3);
    PictureDots dots;
    for (LedColor& c : dots.Codes()) c = static_cast<LedColor>(rng() % 5 < 3 ? 1 + rng() % 3 : 0);
    return dots;
}

void UndoStepOfShift(benchmark::State& state) {
    const PictureDots before = BusyPicture();
    PictureDots after = before;
    ShiftPicture(after, 1, 0);
    int changed = 0;
    for (std::size_t i = 0; i < PictureDots::kCount; ++i) changed += before.Codes()[i] != after.Codes()[i];
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = DotChange::Between(before, after).Bytes();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes_per_changed_dot"] = static_cast<double>(bytes) / changed;
}
BENCHMARK(UndoStepOfShift);

void UndoStepOfOneDot(benchmark::State& state) {
    const PictureDots before = BusyPicture();
    PictureDots after = before;
    after.Set(100, 40, static_cast<LedColor>((before.Get(100, 40) + 1) & 3));
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = DotChange::Between(before, after).Bytes();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(UndoStepOfOneDot);

// What the editor does after every stroke: the document as it now is taken
// into the history (a full picture with its settings and name), and an undo
// and redo of it. Beside it, copying the picture once, the least a
// snapshot of it can cost.
void DocumentStepOfOneDot(benchmark::State& state) {
    DocumentState before;
    before.dots = BusyPicture();
    before.fileName = "/media/site/CARD/KION.lee";
    DocumentState after = before;
    after.dots.Set(100, 40, static_cast<LedColor>((before.dots.Get(100, 40) + 1) & 3));
    DocumentHistory history;
    for (auto _ : state) {
        history.Reset(before, true);
        history.Record(after);
        history.Undo();
        history.Redo();
        benchmark::DoNotOptimize(history.AtSavedState());
    }
}
BENCHMARK(DocumentStepOfOneDot);

void DocumentStepBaselineCopyPicture(benchmark::State& state) {
    const PictureDots picture = BusyPicture();
    for (auto _ : state) {
        PictureDots copy = picture;
        benchmark::DoNotOptimize(copy.Codes().data());
    }
}
BENCHMARK(DocumentStepBaselineCopyPicture);

}  // namespace
