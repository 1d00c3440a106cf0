// Writing and opening a settings 3 file with every band switched on, each
// beside a baseline that moves the same bytes with plain string appends or
// plain line reads. Everything stays in memory.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "files/MemoryOutputFile.h"
#include "settings/Setei3Form.h"

namespace {

using namespace tesslor;

// The standard values with every band switched on and a lamp and message on several.
Setei3Form AllBandsOn() {
    Setei3Form form;
    form.Standard();
    for (const Setei3Band& b : Setei3Bands()) {
        if (!b.CheckBox) continue;
        form.SetChecked(b.CheckBox, true);
        form.SetText(b.FromField, "10");
        form.SetText(b.ToField, "20");
    }
    form.SetText("OndoChk1KaitenComboBox", "1");
    form.SetText("SindouChk1KaitenComboBox", "4");
    form.SetText("SindouChk1MongonComboBox", "10");
    form.SetChecked("GModeCheckBox", true);
    return form;
}

std::string Bytes() {
    std::string message;
    MemoryOutputFile out;
    AllBandsOn().WriteLines(out, message);
    return out.Bytes();
}

void Setei3Write(benchmark::State& state) {
    const Setei3Form form = AllBandsOn();
    const std::size_t size = Bytes().size();
    std::string message;
    MemoryOutputFile out;
    for (auto _ : state) {
        out.Clear();
        bool ok = form.WriteLines(out, message);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(out.Bytes().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void Setei3WriteBaseline(benchmark::State& state) {
    const std::string bytes = Bytes();
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < bytes.size(); at += 32) lines.push_back(bytes.substr(at, 32));
    std::string out;
    for (auto _ : state) {
        out.clear();
        for (const auto& l : lines) out += l;
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// The whole open: clearing, every line, the settings check.
void Setei3Open(benchmark::State& state) {
    const std::string bytes = Bytes();
    Setei3Form form;
    std::vector<std::string> said;
    for (auto _ : state) {
        MemoryLineReader in(bytes);
        said.clear();
        bool ok = form.Open(in, "setei.txt", said);
        if (!ok) state.SkipWithError("the file did not open");
        benchmark::DoNotOptimize(ok);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// The same bytes through the same line reader in the same pieces, without looking at the lines.
void Setei3OpenBaselineLineReader(benchmark::State& state) {
    const std::string bytes = Bytes();
    for (auto _ : state) {
        MemoryLineReader in(bytes);
        std::string line;
        std::size_t n = 0;
        while (in.ReadLine(line, kSetei3ReadLength)) n += line.size();
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK(Setei3Write);
BENCHMARK(Setei3WriteBaseline);
BENCHMARK(Setei3Open);
BENCHMARK(Setei3OpenBaselineLineReader);

}  // namespace
