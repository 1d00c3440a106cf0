// Checking a whole card: 200 pictures and 20 animations of 30 pictures each,
// with their lists and Perform.txt, beside reading the same files' bytes.
// Goal: the check within 0.5 s and at most 10 times the plain read.
// Writing the same card onto an empty folder as one change (staged, flushed,
// read back, renamed), beside a plain copy of the same bytes: at most 2 times.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "card/Card.h"
#include "card/CardWrite.h"
#include "files/LedDataFile.h"
#include "makers/AnimationList.h"
#include "makers/PerformList.h"
#include "platform/NullSurface.h"

namespace {

using namespace tesslor;
namespace fs = std::filesystem;

class GeneratedCard {
public:
    GeneratedCard() {
        folder_ = fs::temp_directory_path() / ("tesslor-bench-card-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
        std::vector<std::string> perform;
        for (int i = 0; i < 200; ++i) {
            const std::string name = "p" + std::to_string(i) + ".lee";
            WritePicture(name, i);
            perform.push_back(name);
        }
        for (int a = 0; a < 20; ++a) {
            Prompterless quiet;
            AnimationList list;
            for (int j = 0; j < 30; ++j) list.AddPicture(Path("p" + std::to_string(a * 10 + j) + ".lee"), -1, quiet);
            list.WriteNoText = std::to_string(a % 6 + 1);
            list.SaveAnimation(Path("a" + std::to_string(a) + ".alt"), quiet);
            perform.push_back("a" + std::to_string(a) + ".ana");
        }
        std::string bytes, line;
        for (const std::string& n : perform) bytes += PerformLine(n, line) ? line : "";
        std::unique_ptr<OutputFile> out = RealFileSystem().Create(Path("Perform.txt"));
        out->Write(bytes);
        out->Commit();
    }
    ~GeneratedCard() { fs::remove_all(folder_); }
    std::string Folder() const { return folder_.string(); }

private:
    struct Prompterless : Prompter {
        void Inform(const std::string&) override {}
        bool Confirm(const std::string&) override { return false; }
        bool Ask(const std::string&) override { return false; }
    };
    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    void WritePicture(const std::string& name, int i) {
        NullSurface surface;
        LedHyoujikiClass doc(surface, DisplayShape{});
        // A picture across the whole width, different for every file.
        for (int x = 0; x < 480; x += 3) doc.Board(x / 16, (x + i) % 5).Led(x % 16, (x * 7 + i) % 16).AddColor(kLedRed);
        doc.SetWriteNoText(std::to_string(i % 99 + 1));
        std::unique_ptr<OutputFile> out = RealFileSystem().Create(Path(name));
        WriteLedData(doc, *out);
        out->Commit();
    }
    fs::path folder_;
};

GeneratedCard& Card() {
    static GeneratedCard card;
    return card;
}

void CardCheck(benchmark::State& state) {
    const std::string folder = Card().Folder();
    std::size_t files = 0;
    for (auto _ : state) {
        CardScan scan;
        std::string message;
        ScanCard(RealFileSystem(), folder, {}, scan, message);
        files = scan.files.size();
        benchmark::DoNotOptimize(scan.findings.size());
    }
    state.counters["files"] = static_cast<double>(files);
}
BENCHMARK(CardCheck)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baseline: every file of the card read whole once.
void CardPlainRead(benchmark::State& state) {
    const std::string folder = Card().Folder();
    for (auto _ : state) {
        std::vector<FolderEntry> entries;
        RealFileSystem().ListFolder(folder, entries);
        std::size_t bytes = 0;
        for (const FolderEntry& e : entries) {
            std::string b;
            RealFileSystem().ReadAll(folder + "/" + e.name, b);
            bytes += b.size();
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(CardPlainRead)->Unit(benchmark::kMillisecond)->UseRealTime();

// A fresh empty folder for each write, made outside the timing.
class EmptyCard {
public:
    EmptyCard() : folder_(fs::temp_directory_path() / ("tesslor-bench-write-" + std::to_string(::getpid()))) {}
    ~EmptyCard() { fs::remove_all(folder_); }
    std::string Fresh() {
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        return folder_.string();
    }

private:
    fs::path folder_;
};

void CardWriteWhole(benchmark::State& state) {
    const std::string folder = Card().Folder();
    CardScan scan;
    std::string message;
    ScanCard(RealFileSystem(), folder, {}, scan, message);
    EmptyCard empty;
    std::size_t written = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string card = empty.Fresh();
        state.ResumeTiming();
        const CardWriteResult result = WriteCard(RealFileSystem(), scan, card);
        written = result.written.size();
        if (!result.Succeeded()) state.SkipWithError(result.failure.c_str());
    }
    state.counters["files"] = static_cast<double>(written);
}
BENCHMARK(CardWriteWhole)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baseline: every file of the card read and written to the empty folder as a
// plain copy does it (no temporary names, no flush, no reading back).
void CardPlainCopy(benchmark::State& state) {
    const std::string folder = Card().Folder();
    EmptyCard empty;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string card = empty.Fresh();
        state.ResumeTiming();
        std::vector<FolderEntry> entries;
        RealFileSystem().ListFolder(folder, entries);
        for (const FolderEntry& e : entries) {
            std::string b;
            RealFileSystem().ReadAll(folder + "/" + e.name, b);
            std::FILE* f = std::fopen((card + "/" + e.name).c_str(), "wb");
            std::fwrite(b.data(), 1, b.size(), f);
            std::fclose(f);
        }
    }
}
BENCHMARK(CardPlainCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
