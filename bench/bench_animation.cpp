// Saving an animation of 30 full-width pictures (the list file and the data
// file), beside copying the same picture bytes: line by line through the same
// reader, and whole files at a time. In memory and on disk.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "files/LedDataFile.h"
#include "files/MemoryOutputFile.h"
#include "makers/AnimationList.h"
#include "platform/NullSurface.h"

namespace {

using namespace tesslor;

class SilentPrompter : public Prompter {
public:
    void Inform(const std::string&) override {}
    bool Confirm(const std::string&) override { return false; }
    bool Ask(const std::string&) override { return false; }
};

constexpr int kPictures = 30;

// An LED data file whose picture uses all 480 columns.
const std::string& FullPictureBytes() {
    static const std::string bytes = [] {
        NullSurface surface;
        LedHyoujikiClass doc(surface);
        for (int x = 0; x < LedHyoujikiClass::kDotColumns; ++x)
            for (int y = 0; y < LedHyoujikiClass::kDotRows; ++y)
                if ((x * 3 + y * 5) % 7 < 3)
                    doc.Board(x / 16, y / 16).Led(x % 16, y % 16).AddColor(static_cast<LedColor>(1 + (x + y) % 3));
        doc.SetWriteNoText("1");
        MemoryOutputFile out;
        WriteLedData(doc, out);
        return out.Bytes();
    }();
    return bytes;
}

std::string PictureName(int i) { return "p" + std::to_string(100 + i).substr(1) + ".lee"; }

// Files held in memory: what is committed replaces the file.
class MemoryFileSystem : public FileSystem {
public:
    std::map<std::string, std::string> files;

    std::unique_ptr<OutputFile> Create(const std::string& path) override {
        class Out : public OutputFile {
        public:
            Out(MemoryFileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}
            bool Write(std::string_view bytes) override {
                bytes_.append(bytes);
                return true;
            }
            bool Commit() override {
                fs_.files[path_].swap(bytes_);
                return true;
            }

        private:
            MemoryFileSystem& fs_;
            std::string path_;
            std::string bytes_;
        };
        return std::make_unique<Out>(*this, path);
    }
    std::unique_ptr<LineReader> OpenText(const std::string& path) override {
        auto it = files.find(path);
        return it == files.end() ? nullptr : std::make_unique<MemoryLineReader>(it->second);
    }
    bool ReadAll(const std::string& path, std::string& bytes) override {
        auto it = files.find(path);
        if (it == files.end()) return false;
        bytes = it->second;
        return true;
    }
    bool FolderExists(const std::string&) override { return true; }
};

// Where the pictures lie: a map in memory or a scratch folder on disk.
struct Setting {
    explicit Setting(bool onDisk) {
        if (onDisk) {
            folder = (std::filesystem::temp_directory_path() / "tesslor-bench-animation").string();
            std::filesystem::create_directories(folder);
            files = &RealFileSystem();
        } else {
            folder = "/card";
            files = &memory;
        }
        for (int i = 0; i < kPictures; ++i) {
            const std::string path = folder + "/" + PictureName(i);
            if (onDisk) {
                auto out = files->Create(path);
                out->Write(FullPictureBytes());
                out->Commit();
            } else {
                memory.files[path] = FullPictureBytes();
            }
        }
    }
    ~Setting() {
        if (files != &memory) std::filesystem::remove_all(folder);
    }
    MemoryFileSystem memory;
    FileSystem* files;
    std::string folder;
};

void SaveAnimation(benchmark::State& state, bool onDisk) {
    Setting setting(onDisk);
    SilentPrompter prompter;
    AnimationList list(*setting.files);
    list.PictureFolder = setting.folder;
    for (int i = 0; i < kPictures; ++i) list.Entries.push_back(PictureName(i));
    list.WriteNoText = "1";
    const std::string path = setting.folder + "/anim.alt";
    for (auto _ : state) {
        if (!list.SaveAnimation(path, prompter)) state.SkipWithError("the animation was not saved");
    }
    state.SetBytesProcessed(state.iterations() * kPictures * static_cast<std::int64_t>(FullPictureBytes().size()));
}

// The picture files copied into one file, one line at a time through the same reader.
void AnimationBaselineCopyLines(benchmark::State& state, bool onDisk) {
    Setting setting(onDisk);
    const std::string path = setting.folder + "/copy.ana";
    for (auto _ : state) {
        auto out = setting.files->Create(path);
        std::string line;
        for (int i = 0; i < kPictures; ++i) {
            auto in = setting.files->OpenText(setting.folder + "/" + PictureName(i));
            while (in->ReadLine(line, 49)) out->Write(line);
        }
        if (!out->Commit()) state.SkipWithError("the copy was not written");
    }
    state.SetBytesProcessed(state.iterations() * kPictures * static_cast<std::int64_t>(FullPictureBytes().size()));
}

// The picture files copied into one file, each whole in one write.
void AnimationBaselineCopyFiles(benchmark::State& state, bool onDisk) {
    Setting setting(onDisk);
    const std::string path = setting.folder + "/copy.ana";
    std::string bytes;
    for (auto _ : state) {
        auto out = setting.files->Create(path);
        for (int i = 0; i < kPictures; ++i) {
            setting.files->ReadAll(setting.folder + "/" + PictureName(i), bytes);
            out->Write(bytes);
        }
        if (!out->Commit()) state.SkipWithError("the copy was not written");
    }
    state.SetBytesProcessed(state.iterations() * kPictures * static_cast<std::int64_t>(FullPictureBytes().size()));
}

BENCHMARK_CAPTURE(SaveAnimation, Memory, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AnimationBaselineCopyLines, Memory, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AnimationBaselineCopyFiles, Memory, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SaveAnimation, Disk, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AnimationBaselineCopyLines, Disk, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AnimationBaselineCopyFiles, Disk, true)->Unit(benchmark::kMillisecond);

}  // namespace
