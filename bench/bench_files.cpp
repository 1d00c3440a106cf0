// Reading and writing a full-width picture as an LED data file and as an old
// LED file, each beside a baseline that moves the same bytes with plain line
// reads or string appends. Everything stays in memory.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/StartupConfig.h"
#include "files/LedDataFile.h"
#include "files/MemoryOutputFile.h"
#include "files/OldLedFile.h"
#include "led/DocumentCopy.h"
#include "platform/NullSurface.h"

namespace {

using namespace tesslor;

// Every write number the files carry counts, as for the root user.
bool AnyWriteNo(const std::string& text, int& n) { return CheckWriteNo(text, "root", n); }

// A document whose picture uses all 480 columns, with red, green and yellow dots.
struct FullPicture {
    FullPicture() : doc(surface) {
        for (int x = 0; x < LedHyoujikiClass::kDotColumns; ++x)
            for (int y = 0; y < LedHyoujikiClass::kDotRows; ++y)
                if ((x * 3 + y * 5) % 7 < 3)
                    doc.Board(x / 16, y / 16).Led(x % 16, y % 16).AddColor(static_cast<LedColor>(1 + (x + y) % 3));
        doc.SetWriteNoText("1");
    }
    NullSurface surface;
    LedHyoujikiClass doc;
};

FullPicture& Picture() {
    static FullPicture picture;
    return picture;
}

std::string Bytes(bool old) {
    MemoryOutputFile out;
    if (old) WriteOldLed(Picture().doc, out);
    else WriteLedData(Picture().doc, out);
    return out.Bytes();
}

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(bytes.substr(start, end + 1 - start));
    return lines;
}

void Write(benchmark::State& state, bool old) {
    const std::size_t size = Bytes(old).size();
    MemoryOutputFile out;
    for (auto _ : state) {
        out.Clear();
        bool ok = old ? WriteOldLed(Picture().doc, out) : WriteLedData(Picture().doc, out);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(out.Bytes().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void WriteBaseline(benchmark::State& state, bool old) {
    const std::vector<std::string> lines = Lines(Bytes(old));
    std::size_t size = 0;
    for (const auto& l : lines) size += l.size();
    std::string out;
    for (auto _ : state) {
        out.clear();
        for (const auto& l : lines) out += l;
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void Read(benchmark::State& state, bool old) {
    const std::string bytes = Bytes(old);
    NullSurface surface;
    LedHyoujikiClass doc(surface);
    std::string message;
    for (auto _ : state) {
        // An LED data file replaces the picture; an old LED file lights dots into it.
        if (old) doc.ClearAll();
        MemoryLineReader in(bytes);
        bool ok = old ? ReadOldLed(doc, in, AnyWriteNo, message) : ReadLedData(doc, in, AnyWriteNo, message);
        if (!ok) state.SkipWithError("the picture did not read back");
        benchmark::DoNotOptimize(ok);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// The editor's open: the file is read into a scratch document that the picture
// takes over only when the whole file was good. Beside Read, which reads in
// place, it shows what that safety costs.
void OpenThroughScratch(benchmark::State& state, bool old) {
    const std::string bytes = Bytes(old);
    NullSurface surface;
    LedHyoujikiClass doc(surface);
    std::string message;
    for (auto _ : state) {
        MemoryLineReader in(bytes);
        const bool ok =
            old ? ReadThroughScratch(doc, [&](LedHyoujikiClass& scratch) {
                      return ReadOldLed(scratch, in, AnyWriteNo, message);
                  })
                : ReadColumnsThroughScratch(doc, [&](LedHyoujikiClass& settings, PictureColumns& dots) {
                      return ReadLedData(settings, dots, in, AnyWriteNo, message);
                  });
        if (!ok) state.SkipWithError("the picture did not read back");
        benchmark::DoNotOptimize(ok);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// The same bytes through the same line reader, without looking at the lines.
void ReadBaselineLineReader(benchmark::State& state, bool old) {
    const std::string bytes = Bytes(old);
    const std::size_t max = old ? kOldLedReadLength : 31;
    for (auto _ : state) {
        MemoryLineReader in(bytes);
        std::string line;
        std::size_t n = 0;
        while (in.ReadLine(line, max)) n += line.size();
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void ReadBaselineGetline(benchmark::State& state, bool old) {
    const std::string bytes = Bytes(old);
    for (auto _ : state) {
        std::istringstream in(bytes);
        std::string line;
        std::size_t n = 0;
        while (std::getline(in, line)) n += line.size();
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK_CAPTURE(Write, LedData, false);
BENCHMARK_CAPTURE(WriteBaseline, LedData, false);
BENCHMARK_CAPTURE(Read, LedData, false);
BENCHMARK_CAPTURE(OpenThroughScratch, LedData, false);
BENCHMARK_CAPTURE(ReadBaselineLineReader, LedData, false);
BENCHMARK_CAPTURE(ReadBaselineGetline, LedData, false);
BENCHMARK_CAPTURE(Write, OldLed, true);
BENCHMARK_CAPTURE(WriteBaseline, OldLed, true);
BENCHMARK_CAPTURE(Read, OldLed, true);
BENCHMARK_CAPTURE(OpenThroughScratch, OldLed, true);
BENCHMARK_CAPTURE(ReadBaselineLineReader, OldLed, true);
BENCHMARK_CAPTURE(ReadBaselineGetline, OldLed, true);

}  // namespace
