#include "CliCommands.h"
#include "PngImage.h"

#include <array>
#include <memory>

#include "app/Drives.h"
#include "platform/FileChooser.h"
#include "platform/IniProfile.h"
#include "platform/MemoryImage.h"
#include "platform/NullSurface.h"
#include "platform/Paths.h"

namespace tesslor::cli {

// ---- prompters ----

void StreamPrompter::Inform(const std::string& text) {
    ++count_;
    out_ << text << '\n' << std::flush;
}

bool StreamPrompter::Confirm(const std::string& text) {
    Inform(text);
    return true;
}

bool StreamPrompter::Ask(const std::string& text) {
    Inform(text);
    return true;
}

void RecordingPrompter::Inform(const std::string& text) {
    ++count_;
    shown.push_back(text);
}

bool RecordingPrompter::Confirm(const std::string& text) {
    Inform(text);
    return true;
}

bool RecordingPrompter::Ask(const std::string& text) {
    Inform(text);
    return true;
}

// ---- configuration and start-up ----

StartupConfig LoadConfig(const std::string& configPath) {
    std::string path = configPath;
    if (path.empty()) {
        std::string exe = ExecutablePath();
        if (exe.empty()) return StartupConfig{};
        path = ConfigFilePathFor(exe);
    }
    return ReadStartupConfig(IniProfile(path));
}

void ApplyStartupState(LedHyoujikiClass& doc) {
    // The order in which the main window fills its bar after creating the document.
    doc.SetWriteNoText("1");
    doc.SetDisplayModeByIndex(0);
    doc.SetReverseColorByIndex(0);
    doc.SetSounyuuMojiByIndex(0);
    doc.SetSounyuuItiByIndex(0);
    doc.SetNiniItiText("0");
    doc.Modified = false;
    doc.SetReverseColorByIndex(InitialColorIndex(doc.Config().NanSyoku));
}

// ---- kinds of file ----

namespace {

// Where the editor would now open a save dialog (a name that is missing or too
// long for the unit), the tool has no one to ask: it stops there.
class CancellingChooser : public FileChooser {
public:
    std::optional<std::string> Choose(const FileDialogRequest&) override { return std::nullopt; }
};

CountingPrompter* Counting(LedHyoujikiClass& doc) { return dynamic_cast<CountingPrompter*>(&doc.Messages()); }

bool ReadLee(LedHyoujikiClass& doc, const std::string& path) { return doc.OpenFile(path); }

bool WriteLee(LedHyoujikiClass& doc, const std::string& path) {
    CancellingChooser chooser;
    FileDialog dialog(chooser, FileDialogKind::Save, {{"LEDデータファイル(*.lee)", "*.lee"}}, "lee",
                      "LEDデータファイルを保存する");
    return doc.SaveToFile(path, dialog);
}

bool ReadLed(LedHyoujikiClass& doc, const std::string& path) { return doc.OpenOldFile(path); }

bool WriteLed(LedHyoujikiClass& doc, const std::string& path) { return doc.SaveOldFile(path); }

// Bitmaps and PNG pictures come in and go out as the editor's bitmap import and
// export; only the image's codec differs.
template <class Image>
bool ReadImage(LedHyoujikiClass& doc, const std::string& path) {
    Image image;
    return doc.ImportBmpFile(path, image);
}

template <class Image>
bool WriteImage(LedHyoujikiClass& doc, const std::string& path) {
    // The editor's export quietly writes nothing for an empty picture; a
    // script must hear that its picture does not exist.
    if (doc.LastUsedColumn() < 0) {
        doc.Messages().Inform("tesslor-cli: the picture has no lit dot, so no image was written");
        return false;
    }
    CountingPrompter* counting = Counting(doc);
    std::size_t before = counting ? counting->Count() : 0;
    Image image;
    if (doc.ExportBmpFile(path, image)) return true;
    if (counting && counting->Count() == before && !image.ErrorText().empty()) doc.Messages().Inform(image.ErrorText());
    return false;
}

constexpr std::array<FileKind, 4> kFileKinds{{
    {"lee", ReadLee, WriteLee},
    {"led", ReadLed, WriteLed},
    {"bmp", ReadImage<MemoryImage>, WriteImage<MemoryImage>},
    {"png", ReadImage<PngImage>, WriteImage<PngImage>},
}};

std::string ExtensionList(bool (*FileKind::*member)(LedHyoujikiClass&, const std::string&)) {
    std::string list;
    for (const FileKind& k : kFileKinds) {
        if (!(k.*member)) continue;
        if (!list.empty()) list += ", ";
        list += std::string(".") + k.extension;
    }
    return list;
}

bool ReadableKind(const FileKind* kind) { return kind && kind->read; }
bool WritableKind(const FileKind* kind) { return kind && kind->write; }

// Reads input into doc; false (with the reader's message, or one of ours when
// it showed none) when it failed.
bool ReadInput(LedHyoujikiClass& doc, CountingPrompter& prompter, const FileKind& kind, const std::string& input) {
    std::size_t before = prompter.Count();
    if (kind.read(doc, input)) return true;
    if (prompter.Count() == before) prompter.Inform("tesslor-cli: " + input + " could not be read");
    return false;
}

bool IsDigits(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

const FileKind* FindFileKind(const std::string& path) {
    std::string ext = LowerExtension(path);
    for (const FileKind& k : kFileKinds)
        if (ext == k.extension) return &k;
    return nullptr;
}

std::string ReadableExtensions() { return ExtensionList(&FileKind::read); }
std::string WritableExtensions() { return ExtensionList(&FileKind::write); }

// ---- commands ----

int RunConvert(const StartupConfig& config, const std::string& input, const std::string& output,
               const ConvertOptions& options, std::ostream& err) {
    const FileKind* inKind = FindFileKind(input);
    if (!ReadableKind(inKind)) {
        err << "tesslor-cli: cannot read " << input << ": the input must end in " << ReadableExtensions() << '\n';
        return kExitUsage;
    }
    const FileKind* outKind = FindFileKind(output);
    if (!WritableKind(outKind)) {
        err << "tesslor-cli: cannot write " << output << ": the output must end in " << WritableExtensions()
            << '\n';
        return kExitUsage;
    }
    // The position box takes digits only; anything else never reaches the editor.
    if (options.niniIti && !IsDigits(*options.niniIti)) {
        err << "tesslor-cli: --nini takes a dot column written in digits, not \"" << *options.niniIti << "\"\n";
        return kExitUsage;
    }

    NullSurface surface;
    StreamPrompter prompter(err);
    LedHyoujikiClass doc(surface, prompter, config);
    ApplyStartupState(doc);

    // The main window's checks come first, so a refused setting costs no reading.
    if (options.writeNo) {
        int n = 0;
        if (!doc.CheckWriteNo(*options.writeNo, n)) {
            prompter.Inform(WriteNoRangeMessage(config.CustomerMode));
            return kExitFailed;
        }
    }
    if (options.niniIti) {
        int n = 0;
        if (!LedHyoujikiClass::ParseNiniIti(*options.niniIti, n)) {
            prompter.Inform(NiniItiRangeMessage(doc.MaxColumns()));
            return kExitFailed;
        }
    }

    if (!ReadInput(doc, prompter, *inKind, input)) return kExitFailed;

    // In the order of the main window's bar.
    // The codes were chosen from the lists on the command line; a code the
    // tables do not know is the caller's mistake, not the document's.
    auto unknown = [&err](const char* what) {
        err << "tesslor-cli: unknown " << what << '\n';
        return kExitUsage;
    };
    if (options.writeNo) doc.SetWriteNoText(*options.writeNo);
    if (options.displayMode && !doc.SetDisplayMode(*options.displayMode)) return unknown("display mode");
    if (options.reverseColor) {
        if (*options.reverseColor < 0 || *options.reverseColor >= doc.ReverseColorCount())
            return unknown("reverse colour");
        doc.SetReverseColorByIndex(*options.reverseColor);
    }
    if (options.sounyuuMoji && !doc.SetSounyuuMoji(*options.sounyuuMoji)) return unknown("insertion");
    if (options.sounyuuIti && !doc.SetSounyuuIti(*options.sounyuuIti)) return unknown("insertion position");
    if (options.niniIti && !doc.SetNiniItiText(*options.niniIti)) {
        prompter.Inform(NiniItiRangeMessage(doc.MaxColumns()));
        return kExitFailed;
    }

    std::size_t before = prompter.Count();
    if (!outKind->write(doc, output)) {
        if (prompter.Count() == before) prompter.Inform("tesslor-cli: " + output + " was not written");
        return kExitFailed;
    }
    return kExitOk;
}

int RunCheck(const StartupConfig& config, const std::vector<std::string>& files, std::ostream& out,
             std::ostream& err) {
    int status = kExitOk;
    for (const std::string& path : files) {
        const FileKind* kind = FindFileKind(path);
        if (!ReadableKind(kind)) {
            out << path << ": unknown kind of file (expected " << ReadableExtensions() << ")\n";
            status = kExitFailed;
            continue;
        }
        NullSurface surface;
        RecordingPrompter prompter;
        LedHyoujikiClass doc(surface, prompter, config);
        ApplyStartupState(doc);
        bool ok = kind->read(doc, path);
        if (ok && prompter.shown.empty()) {
            out << path << ": OK\n";
            continue;
        }
        status = kExitFailed;
        out << path << ": " << (prompter.shown.empty() ? std::string("could not be read") : prompter.shown.front())
            << '\n';
        // Anything said after the first message still reaches the operator.
        for (std::size_t i = 1; i < prompter.shown.size(); ++i) err << prompter.shown[i] << '\n';
    }
    out << std::flush;
    return status;
}

int RunRender(const StartupConfig& config, RenderView view, const std::string& input, const std::string& output,
              std::ostream& err) {
    const FileKind* inKind = FindFileKind(input);
    if (!ReadableKind(inKind)) {
        err << "tesslor-cli: cannot read " << input << ": the input must end in " << ReadableExtensions() << '\n';
        return kExitUsage;
    }
    const std::string outExt = LowerExtension(output);
    if (outExt != "bmp" && outExt != "png") {
        err << "tesslor-cli: cannot write " << output << ": a rendering is saved as .bmp or .png\n";
        return kExitUsage;
    }

    NullSurface surface;
    StreamPrompter prompter(err);
    LedHyoujikiClass doc(surface, prompter, config);
    ApplyStartupState(doc);
    if (!ReadInput(doc, prompter, *inKind, input)) return kExitFailed;

    // The demo's layout: 6 pixels per dot, 96 per panel.
    doc.Relayout(surface, 80);
    PngImage png;
    MemoryImage bmp;
    MemoryImage& image = outExt == "png" ? png : bmp;
    switch (view) {
        case RenderView::Normal: doc.RenderNormal(image); break;
        case RenderView::Reversed: doc.RenderReversed(image); break;
        case RenderView::Strip: doc.RenderScrollStrip(image); break;
    }
    if (image.Width() <= 0 || image.Height() <= 0) {
        prompter.Inform("tesslor-cli: the configured display has no panels to show, so no image was written");
        return kExitFailed;
    }
    if (!image.SaveToFile(output)) {
        prompter.Inform(image.ErrorText().empty() ? "tesslor-cli: " + output + " was not written" : image.ErrorText());
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace tesslor::cli
