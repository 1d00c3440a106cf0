#include "CliCommands.h"
#include "AnimationCommands.h"
#include "PerformCommands.h"
#include "PngImage.h"
#include "SettingsCommands.h"
#include "TextCommands.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "files/GifFile.h"
#include "led/DemoGif.h"

#include "app/ControlBar.h"
#include "app/DocumentFiles.h"
#include "app/Drives.h"
#include "app/FileDialogs.h"
#include "card/Card.h"
#include "led/Ledhyoujiki.h"
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

// ---- words ----

std::string CodeWord(char code) { return code == ' ' ? "none" : std::string(1, code); }

const std::vector<std::string>& ReverseColorWords() {
    static const std::vector<std::string> words{"red", "green", "yellow"};
    return words;
}

// ---- configuration ----

StartupConfig LoadConfig(const std::string& configPath) {
    std::string path = configPath;
    if (path.empty()) {
        std::string exe = ExecutablePath();
        if (exe.empty()) return StartupConfig{};
        path = ConfigFilePathFor(exe);
    }
    return ReadStartupConfig(IniProfile(path));
}

namespace {

// ---- the document as the editor starts it ----

// Puts the document into the editor's state right after start-up, through the
// main window's own bar: write number "1", mode 標準, reverse colour 赤 (黄 for
// the XK series), no insertion, no position, arbitrary position "000", nothing
// unsaved.
void ApplyStartupState(LedHyoujikiClass& doc, Prompter& prompter, const std::string& customerMode) {
    ControlBar bar(doc, prompter, customerMode);
    bar.FormCreate();
}

// A document with no window to draw on, as the editor holds it after start-up.
struct StartedDocument {
    StartedDocument(Prompter& prompter, const StartupConfig& config)
        : doc(surface, DisplayShapeOf(config)), files(doc, prompter, RealFileSystem(), config.CustomerMode) {
        ApplyStartupState(doc, prompter, config.CustomerMode);
    }
    NullSurface surface;
    LedHyoujikiClass doc;
    DocumentFiles files;
};

// ---- kinds of file ----

// One kind of file the tool reads or writes, chosen by the extension. A new
// kind is one more entry in kFileKinds.
struct FileKind {
    const char* extension;  // lower case, without the dot
    // Reads path into the document as the editor's open or import does. False
    // when the reader reported a failure (its message has been shown).
    bool (*read)(DocumentFiles& files, const std::string& path);
    // Writes the document to path as the editor's save or export does, with
    // the same checks and messages. False when nothing (or not all) was written.
    bool (*write)(DocumentFiles& files, const std::string& path);
};

// Where the editor would now open a save dialog (a name that is missing or too
// long for the unit), the tool has no one to ask: it stops there.
class CancellingChooser : public FileChooser {
public:
    std::optional<std::string> Choose(const FileDialogRequest&) override { return std::nullopt; }
};

CountingPrompter* Counting(DocumentFiles& files) { return dynamic_cast<CountingPrompter*>(&files.Messages()); }

bool ReadLee(DocumentFiles& files, const std::string& path) { return files.OpenFile(path); }

bool WriteLee(DocumentFiles& files, const std::string& path) {
    CancellingChooser chooser;
    FileDialog dialog(chooser, kFileSaveDialog);
    return files.SaveToFile(path, dialog);
}

bool ReadLed(DocumentFiles& files, const std::string& path) { return files.OpenOldFile(path); }

bool WriteLed(DocumentFiles& files, const std::string& path) { return files.SaveOldFile(path); }

// Bitmaps and PNG pictures come in and go out as the editor's bitmap import and
// export; only the image's codec differs.
template <class Image>
bool ReadImage(DocumentFiles& files, const std::string& path) {
    Image image;
    return files.ImportBmpFile(path, image);
}

template <class Image>
bool WriteImage(DocumentFiles& files, const std::string& path) {
    // The editor's export quietly writes nothing for an empty picture; a
    // script must hear that its picture does not exist.
    if (files.Document().LastUsedColumn() < 0) {
        files.Messages().Inform("tesslor-cli: 点灯しているドットがない絵なので、画像を書き込みませんでした");
        return false;
    }
    CountingPrompter* counting = Counting(files);
    std::size_t before = counting ? counting->Count() : 0;
    Image image;
    if (files.ExportBmpFile(path, image)) return true;
    if (counting && counting->Count() == before && !image.ErrorText().empty())
        files.Messages().Inform(image.ErrorText());
    return false;
}

#ifdef TESSLOR_NO_QT
// The Windows tool has no PNG codec: it says so, rather than the editor's
// "ビットマップファイルエラー" for a picture it never tried to read.
bool NoPng(DocumentFiles& files, const std::string&) {
    files.Messages().Inform(kNoPngMessage);
    return false;
}
#endif

// A text message file is read only: its rows are drawn into the picture as
// 表示データ作成 does.
constexpr std::array<FileKind, 5> kFileKinds{{
    {"lee", ReadLee, WriteLee},
    {"led", ReadLed, WriteLed},
    {"bmp", ReadImage<MemoryImage>, WriteImage<MemoryImage>},
#ifdef TESSLOR_NO_QT
    {"png", NoPng, NoPng},
#else
    {"png", ReadImage<PngImage>, WriteImage<PngImage>},
#endif
    {"mon", ReadTextMessagePicture, nullptr},
}};

// The kind of path by its extension (either case); nullptr when unknown.
const FileKind* FindFileKind(const std::string& path) {
    std::string ext = LowerExtension(path);
    for (const FileKind& k : kFileKinds)
        if (ext == k.extension) return &k;
    return nullptr;
}

// ".lee, .led, .bmp"-style list of the extensions that can be read or written.
std::string ExtensionList(bool (*FileKind::*member)(DocumentFiles&, const std::string&)) {
    std::string list;
    for (const FileKind& k : kFileKinds) {
        if (!(k.*member)) continue;
        if (!list.empty()) list += ", ";
        list += std::string(".") + k.extension;
    }
    return list;
}

// The kind input is read as; nullptr, having said why on err, when none reads it.
const FileKind* ReadableKind(const std::string& input, std::ostream& err) {
    const FileKind* kind = FindFileKind(input);
    if (kind && kind->read) return kind;
    err << "tesslor-cli: " << input << " は読めません（読めるのは " << ExtensionList(&FileKind::read)
        << " のファイルです）\n";
    return nullptr;
}

// The kind output is written as; nullptr, having said why on err, when none writes it.
const FileKind* WritableKind(const std::string& output, std::ostream& err) {
    const FileKind* kind = FindFileKind(output);
    if (kind && kind->write) return kind;
    err << "tesslor-cli: " << output << " には書き込めません（書けるのは " << ExtensionList(&FileKind::write)
        << " のファイルです）\n";
    return nullptr;
}

// Reads input into doc; false (with the reader's message, or one of ours when
// it showed none) when it failed.
bool ReadInput(DocumentFiles& files, CountingPrompter& prompter, const FileKind& kind, const std::string& input) {
    std::size_t before = prompter.Count();
    if (kind.read(files, input)) return true;
    if (prompter.Count() == before) prompter.Inform("tesslor-cli: " + input + " を読み込めませんでした");
    return false;
}

// Writes doc to output; false (with the writer's message, or one of ours when
// it showed none) when it failed.
bool WriteOutput(DocumentFiles& files, CountingPrompter& prompter, const FileKind& kind, const std::string& output) {
    std::size_t before = prompter.Count();
    if (kind.write(files, output)) return true;
    if (prompter.Count() == before) prompter.Inform("tesslor-cli: " + output + " に書き込めませんでした");
    return false;
}

// ---- convert's settings ----

bool IsDigits(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// The position box takes digits only; anything else never reaches the editor.
bool NiniItiIsTypeable(const ConvertOptions& options, std::ostream& err) {
    if (!options.niniIti || IsDigits(*options.niniIti)) return true;
    err << "tesslor-cli: --nini にはドット列を数字で指定して下さい: \"" << *options.niniIti << "\"\n";
    return false;
}

// The main window's range checks of the typed settings, with its messages.
// They come before reading, so a refused setting costs no reading.
bool SettingsInRange(DocumentFiles& files, const std::string& customerMode, const ConvertOptions& options) {
    int n = 0;
    if (options.writeNo && !files.CheckWriteNo(*options.writeNo, n)) {
        files.Messages().Inform(WriteNoRangeMessage(customerMode));
        return false;
    }
    if (options.niniIti && !LedHyoujikiClass::ParseNiniIti(*options.niniIti, n)) {
        files.Messages().Inform(NiniItiRangeMessage(files.Document().MaxColumns()));
        return false;
    }
    return true;
}

// The codes were chosen from the lists on the command line; a code the tables
// do not know is the caller's mistake, not the document's.
int UnknownSetting(const char* what, std::ostream& err) {
    err << "tesslor-cli: " << what << " が分かりません\n";
    return kExitUsage;
}

// Puts the settings given into the document in the order of the main window's
// bar; kExitOk, or the status to end with.
int ApplySettings(LedHyoujikiClass& doc, Prompter& prompter, const ConvertOptions& options, std::ostream& err) {
    if (options.writeNo) doc.SetWriteNoText(*options.writeNo);
    if (options.displayMode && !doc.SetDisplayMode(*options.displayMode)) return UnknownSetting("表示モード", err);
    if (options.reverseColor) {
        if (*options.reverseColor < 0 || *options.reverseColor >= doc.ReverseColorCount())
            return UnknownSetting("反転の色", err);
        doc.SetReverseColorByIndex(*options.reverseColor);
    }
    if (options.sounyuuMoji && !doc.SetSounyuuMoji(*options.sounyuuMoji)) return UnknownSetting("挿入文字", err);
    if (options.sounyuuIti && !doc.SetSounyuuIti(*options.sounyuuIti)) return UnknownSetting("挿入位置", err);
    if (options.niniIti && !doc.SetNiniItiText(*options.niniIti)) {
        prompter.Inform(NiniItiRangeMessage(doc.MaxColumns()));
        return kExitFailed;
    }
    return kExitOk;
}

// ---- render's image ----

// Whether a rendering can be saved as output: only as .bmp or .png.
bool RenderableOutput(const std::string& output, std::ostream& err) {
    const std::string ext = LowerExtension(output);
    if (ext == "bmp" || ext == "png") return true;
    err << "tesslor-cli: " << output << " には書き込めません（描画は .bmp か .png で保存します）\n";
    return false;
}

// The demo as it plays is an animation: only .gif holds it.
bool GifOutput(const std::string& output, std::ostream& err) {
    if (LowerExtension(output) == "gif") return true;
    err << "tesslor-cli: " << output << " には書き込めません（デモは .gif で保存します）\n";
    return false;
}

void Render(LedHyoujikiClass& doc, RenderView view, MemoryImage& image) {
    switch (view) {
        case RenderView::Normal: doc.RenderNormal(image); break;
        case RenderView::Reversed: doc.RenderReversed(image); break;
        case RenderView::Strip: doc.RenderScrollStrip(image); break;
        case RenderView::Demo: break;
    }
}

}  // namespace

// ---- commands ----

int RunConvert(const StartupConfig& config, const std::string& input, const std::string& output,
               const ConvertOptions& options, std::ostream& err) {
    const FileKind* inKind = ReadableKind(input, err);
    if (!inKind) return kExitUsage;
    const FileKind* outKind = WritableKind(output, err);
    if (!outKind) return kExitUsage;
    if (!NiniItiIsTypeable(options, err)) return kExitUsage;

    StreamPrompter prompter(err);
    StartedDocument started(prompter, config);
    LedHyoujikiClass& doc = started.doc;
    if (!SettingsInRange(started.files, config.CustomerMode, options)) return kExitFailed;
    if (!ReadInput(started.files, prompter, *inKind, input)) return kExitFailed;
    if (int status = ApplySettings(doc, prompter, options, err); status != kExitOk) return status;
    return WriteOutput(started.files, prompter, *outKind, output) ? kExitOk : kExitFailed;
}

int WritePicture(const StartupConfig& config, const PictureDots& dots, const std::string& output,
                 const ConvertOptions& options, std::ostream& err) {
    const FileKind* outKind = WritableKind(output, err);
    if (!outKind) return kExitUsage;
    StreamPrompter prompter(err);
    StartedDocument started(prompter, config);
    if (!SettingsInRange(started.files, config.CustomerMode, options)) return kExitFailed;
    ApplyPicture(started.doc, dots);
    if (int status = ApplySettings(started.doc, prompter, options, err); status != kExitOk) return status;
    return WriteOutput(started.files, prompter, *outKind, output) ? kExitOk : kExitFailed;
}

int RunCheck(const StartupConfig& config, const std::vector<std::string>& files, std::ostream& out,
             std::ostream& err) {
    int status = kExitOk;
    for (const std::string& path : files) {
        // Perform lists are told by their name.
        bool performOk = false;
        std::string performMessage;
        if (CheckPerformFile(path, performOk, performMessage)) {
            out << path << ": " << (performOk ? std::string("OK") : performMessage) << '\n';
            if (!performOk) status = kExitFailed;
            continue;
        }
        // Animation lists and data files are told by their extension.
        bool animationOk = false;
        std::string animationMessage;
        if (CheckAnimationFile(path, animationOk, animationMessage)) {
            out << path << ": " << (animationOk ? std::string("OK") : animationMessage) << '\n';
            if (!animationOk) status = kExitFailed;
            continue;
        }
        // Text message files are told by their mark or by their extension.
        bool textOk = false;
        std::string textMessage;
        if (CheckTextMessageFile(path, textOk, textMessage, err)) {
            out << path << ": " << (textOk ? std::string("OK") : textMessage) << '\n';
            if (!textOk) status = kExitFailed;
            continue;
        }
        // Settings files are told by their content: a .lee or .txt name may hold either.
        bool settingsOk = false;
        std::string settingsMessage;
        if (CheckSettingsFile(path, settingsOk, settingsMessage)) {
            out << path << ": " << (settingsOk ? std::string("OK") : settingsMessage) << '\n';
            if (!settingsOk) status = kExitFailed;
            continue;
        }
        const FileKind* kind = FindFileKind(path);
        if (!kind || !kind->read) {
            // The line names only the picture kinds, the ones both read and
            // written: every other kind check knows was dealt with above.
            out << path << ": 種類の分からないファイルです（" << ExtensionList(&FileKind::write) << " のほか設定、文言、アニメーション、Perform.txt を確かめられます）\n";
            status = kExitFailed;
            continue;
        }
        RecordingPrompter prompter;
        StartedDocument started(prompter, config);
        bool ok = kind->read(started.files, path);
        if (ok && prompter.shown.empty()) {
            out << path << ": OK\n";
            continue;
        }
        status = kExitFailed;
        out << path << ": " << (prompter.shown.empty() ? std::string("読み込めませんでした") : prompter.shown.front())
            << '\n';
        // Anything said after the first message still reaches the operator.
        for (std::size_t i = 1; i < prompter.shown.size(); ++i) err << prompter.shown[i] << '\n';
    }
    out << std::flush;
    return status;
}

int RunShowPicture(const StartupConfig& config, const std::string& path, std::ostream& out, std::ostream& err) {
    StreamPrompter prompter(err);
    StartedDocument started(prompter, config);
    if (!started.files.OpenFile(path)) return kExitFailed;
    const LedHyoujikiClass& doc = started.doc;
    const int reverse = doc.ReverseColorIndex();
    out << "kind=" << CardKindWord(CardKind::Picture) << '\n'
        << "writeno=" << doc.WriteNoText() << '\n'
        << "mode=" << CodeWord(doc.DisplayModeCode()) << '\n'
        << "insert=" << CodeWord(doc.SounyuuMojiCode()) << '\n'
        << "position=" << CodeWord(doc.SounyuuItiCode()) << '\n'
        << "nini=" << doc.NiniItiText() << '\n'
        << "reverse=" << ReverseColorWords().at(static_cast<std::size_t>(reverse)) << '\n'
        << std::flush;
    return kExitOk;
}

int RunShowFile(const StartupConfig& config, const std::string& path, std::ostream& out, std::ostream& err) {
    if (IsSettingsFile(path)) return RunShow(path, out, err);
    const std::string ext = LowerExtension(path);
    if (ext == "lee") return RunShowPicture(config, path, out, err);
    if (ext == "ana") return RunShowAnimationData(path, out, err);
    std::string name = FileNamePart(path);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    // A file of no kind that is named like a settings file is read as one,
    // so that its reader says what is wrong with it.
    if ((ext == "txt" && name != "files.txt") || ext == "co2") return RunShow(path, out, err);
    std::string probe;
    if (!RealFileSystem().ReadPrefix(path, 1, probe)) {
        err << path << "オープンエラー\n";
        return kExitFailed;
    }
    // The other kinds the editor knows have no settings to show.
    CardKind kind = CardKind::Other;
    if (ext == "led") kind = CardKind::OldPicture;
    if (ext == "alt" || name == "files.txt") kind = CardKind::AnimationList;
    if (ext == "bmp" || ext == "png") kind = CardKind::Bitmap;
    const std::string what = kind == CardKind::Other
                                 ? std::string("表示器のファイルではない")
                                 : std::string(CardKindCaption(kind)) + "（" + CardKindWord(kind) + "）な";
    err << "tesslor-cli: " << path << " は" << what
        << "ので表示できません（show で表示できるのは picture、animation、text、settings1、settings2、settings3、"
           "schedule、co2、perform のファイルです）\n";
    return kExitFailed;
}

int RunRender(const StartupConfig& config, RenderView view, const std::string& input, const std::string& output,
              std::ostream& err) {
    const FileKind* inKind = ReadableKind(input, err);
    if (!inKind) return kExitUsage;
    if (view == RenderView::Demo ? !GifOutput(output, err) : !RenderableOutput(output, err)) return kExitUsage;

    StreamPrompter prompter(err);
    StartedDocument started(prompter, config);
    LedHyoujikiClass& doc = started.doc;
    if (!ReadInput(started.files, prompter, *inKind, input)) return kExitFailed;

    // The demo's layout: 6 pixels per dot, 96 per panel.
    doc.Relayout(started.surface, 80);
    if (view == RenderView::Demo) {
        const std::vector<GifFrame> frames = DemoGifFrames(doc);
        if (frames.empty()) {
            prompter.Inform("tesslor-cli: 設定の表示器にパネルがないため、画像を書き込みませんでした");
            return kExitFailed;
        }
        std::string error;
        if (!WriteAnimatedGif(RealFileSystem(), output, frames, &error)) {
            prompter.Inform(error);
            return kExitFailed;
        }
        return kExitOk;
    }
    PngImage png;
    MemoryImage bmp;
    MemoryImage& image = LowerExtension(output) == "png" ? png : bmp;
    Render(doc, view, image);
    if (image.Width() <= 0 || image.Height() <= 0) {
        prompter.Inform("tesslor-cli: 設定の表示器にパネルがないため、画像を書き込みませんでした");
        return kExitFailed;
    }
    if (!image.SaveToFile(output)) {
        prompter.Inform(image.ErrorText().empty() ? "tesslor-cli: " + output + " に書き込めませんでした" : image.ErrorText());
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace tesslor::cli
