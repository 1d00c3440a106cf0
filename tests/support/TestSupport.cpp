#include "TestSupport.h"

#include <cstdlib>

#include "files/LedDataFile.h"
#include "platform/Paths.h"
#include "makers/PerformList.h"
#include "platform/NullSurface.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

namespace tesslor::test {

namespace {
std::string RgbText(Rgb c) {
    std::ostringstream s;
    s << int(c.r) << '/' << int(c.g) << '/' << int(c.b);
    return s.str();
}
}  // namespace

void RecordingSurface::SetBrushColor(Rgb c) {
    brush = c;
    calls.push_back("Brush " + RgbText(c));
}
void RecordingSurface::SetPen(Rgb c, int width) {
    pen = c;
    penWidth = width;
    calls.push_back("Pen " + RgbText(c) + " " + std::to_string(width));
}
void RecordingSurface::Rectangle(int x1, int y1, int x2, int y2) {
    calls.push_back("Rectangle " + std::to_string(x1) + "," + std::to_string(y1) + "," + std::to_string(x2) + "," +
                    std::to_string(y2));
}
void RecordingSurface::Ellipse(int x1, int y1, int x2, int y2) {
    calls.push_back("Ellipse " + std::to_string(x1) + "," + std::to_string(y1) + "," + std::to_string(x2) + "," +
                    std::to_string(y2) + " " + RgbText(brush));
}
void RecordingSurface::MoveTo(int x, int y) {
    calls.push_back("MoveTo " + std::to_string(x) + "," + std::to_string(y));
}
void RecordingSurface::LineTo(int x, int y) {
    calls.push_back("LineTo " + std::to_string(x) + "," + std::to_string(y) + " " + RgbText(pen) + " " +
                    std::to_string(penWidth));
}
void RecordingSurface::TextOut(int x, int y, const std::string& text, const FontSpec&, Rgb fg, Rgb bg) {
    calls.push_back("Text " + std::to_string(x) + "," + std::to_string(y) + " " + text + " " + RgbText(fg) + " on " +
                    RgbText(bg));
}
void RecordingSurface::SetPixel(int x, int y, Rgb c) { pixels_[{x, y}] = c; }
Rgb RecordingSurface::GetPixel(int x, int y) const {
    auto it = pixels_.find({x, y});
    return it == pixels_.end() ? kBlack : it->second;
}
void RecordingSurface::SetSize(int w, int h) {
    width_ = w;
    height_ = h;
    calls.push_back("Size " + std::to_string(w) + "x" + std::to_string(h));
}
std::vector<std::string> RecordingSurface::CallsStartingWith(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& c : calls)
        if (c.rfind(prefix, 0) == 0) out.push_back(c);
    return out;
}

void ScriptedPrompter::Inform(const std::string& text) {
    shown.push_back(text);
    if (onInform) onInform(text);
}
bool ScriptedPrompter::Confirm(const std::string& text) {
    shown.push_back(text);
    if (answers.empty()) {
        ADD_FAILURE() << "unscripted confirmation: " << text;
        return false;
    }
    bool a = answers.front();
    answers.pop_front();
    return a;
}
bool ScriptedPrompter::Ask(const std::string& text) { return Confirm(text); }
std::string ScriptedPrompter::LastShown() const {
    if (shown.empty()) {
        ADD_FAILURE() << "no message was shown";
        return {};
    }
    return shown.back();
}
SaveChoice ScriptedPrompter::AskSave(const std::string& text) {
    shown.push_back(text);
    if (saveChoices.empty()) {
        ADD_FAILURE() << "unscripted save question: " << text;
        return SaveChoice::Cancel;
    }
    const SaveChoice c = saveChoices.front();
    saveChoices.pop_front();
    return c;
}

std::optional<std::string> ScriptedFileChooser::Choose(const FileDialogRequest& request) {
    requests.push_back(request);
    if (script.empty()) {
        ADD_FAILURE() << "unscripted file dialog";
        return std::nullopt;
    }
    auto r = script.front();
    script.pop_front();
    return r;
}

std::optional<std::vector<std::string>> ScriptedFileChooser::ChooseMany(const FileDialogRequest& request) {
    if (manyScript.empty()) return FileChooser::ChooseMany(request);
    requests.push_back(request);
    auto r = manyScript.front();
    manyScript.pop_front();
    return r;
}

namespace {
class CountingFile : public NewFile {
public:
    CountingFile(std::unique_ptr<NewFile> inner, FailingFileSystem& fs) : inner_(std::move(inner)), fs_(fs) {}
    bool Write(std::string_view bytes) override {
        ++fs_.writes;
        if (!fs_.Step("write") || (fs_.failAtWrite != 0 && fs_.writes == fs_.failAtWrite)) return false;
        return inner_->Write(bytes);
    }
    bool Flush() override {
        // A flush that fails still closes the file, as a real one does.
        if (!fs_.Step("flush") || fs_.failCommit) {
            inner_.reset();
            return false;
        }
        return inner_->Flush();
    }
    bool Close() override {
        if (!fs_.Step("close")) {
            inner_.reset();
            return false;
        }
        return inner_->Close();
    }

private:
    std::unique_ptr<NewFile> inner_;
    FailingFileSystem& fs_;
};
}  // namespace

bool FailingFileSystem::Step(const char* kind) {
    steps.push_back(kind);
    return failAtStep == 0 || static_cast<int>(steps.size()) != failAtStep;
}

std::unique_ptr<NewFile> FailingFileSystem::CreateTemporary(const std::string& target, std::string& tempPath) {
    tempPath.clear();
    if (!Step("create") || failCreate) return nullptr;
    auto inner = RealFileSystem().CreateTemporary(target, tempPath);
    if (!inner) return nullptr;
    return std::make_unique<CountingFile>(std::move(inner), *this);
}
bool FailingFileSystem::Rename(const std::string& from, const std::string& to) {
    return Step("rename") && RealFileSystem().Rename(from, to);
}
bool FailingFileSystem::FlushFolder(const std::string& folder) {
    return Step("folder-flush") && RealFileSystem().FlushFolder(folder);
}
bool FailingFileSystem::FlushAll(const std::string& folder) {
    return Step("flush-all") && RealFileSystem().FlushAll(folder);
}
std::unique_ptr<LineReader> FailingFileSystem::OpenText(const std::string& path) {
    return RealFileSystem().OpenText(path);
}
bool FailingFileSystem::ReadAll(const std::string& path, std::string& bytes) {
    return RealFileSystem().ReadAll(path, bytes);
}

std::map<std::string, std::string> FolderContents(const std::string& folder) {
    std::map<std::string, std::string> contents;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(PathOfUtf8(folder), ec))
        if (e.is_regular_file()) contents[Utf8OfPath(e.path().filename())] = ReadFileBytes(Utf8OfPath(e.path()));
    return contents;
}

bool FolderTellsCaseApart(const std::string& folder) {
    const std::filesystem::path lower = PathOfUtf8(folder) / "tesslor-case-probe";
    WriteFileBytes(Utf8OfPath(lower), "probe");
    std::error_code ec;
    const bool apart = !std::filesystem::exists(PathOfUtf8(folder) / "TESSLOR-CASE-PROBE", ec);
    std::filesystem::remove(lower, ec);
    return apart;
}

TempDir::TempDir() {
    std::random_device rd;
    for (;;) {
        dir_ = std::filesystem::temp_directory_path() / ("tesslor-test-" + std::to_string(rd()));
        if (std::filesystem::create_directory(dir_)) break;
    }
}
TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(PathOfUtf8(path), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(PathOfUtf8(path), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string CrLfLines(const std::vector<std::string>& lines, bool pad) {
    std::string out;
    for (std::string l : lines) {
        if (pad && l.size() < 30) l.append(30 - l.size(), ' ');
        out += l;
        out += "\r\n";
    }
    return out;
}

void WriteTestPicture(const std::string& path, const std::string& writeNo, int x, int y, std::uint8_t colour) {
    NullSurface surface;
    LedHyoujikiClass doc(surface, DisplayShape{});
    doc.Board(x / 16, y / 16).Led(x % 16, y % 16).AddColor(colour);
    doc.SetWriteNoText(writeNo);
    std::unique_ptr<OutputFile> out = RealFileSystem().Create(path);
    ASSERT_TRUE(out && WriteLedData(doc, *out) && out->Commit()) << path;
}

void WritePerformList(const std::string& path, const std::vector<std::string>& names) {
    std::string bytes, line;
    for (const std::string& n : names) {
        ASSERT_TRUE(PerformLine(n, line)) << n;
        bytes += line;
    }
    WriteFileBytes(path, bytes);
}


}  // namespace tesslor::test
