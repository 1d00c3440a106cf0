#include "AnimationCommands.h"

#include "files/GifFile.h"
#include "led/DemoGif.h"

#include <memory>

#include "CliCommands.h"
#include "PngImage.h"
#include "app/DocumentFiles.h"
#include "app/Messages.h"
#include "card/Card.h"
#include "led/Ledhyoujiki.h"
#include "makers/AnimationList.h"
#include "platform/MemoryImage.h"
#include "platform/NullSurface.h"
#include "platform/Paths.h"

namespace tesslor::cli {

namespace {

// Whether a value fits the box it is typed into, with the form's own rule;
// the refusal in the operator's language.
bool CheckTypeable(const std::optional<std::string>& text, const char* field, const char* option, std::ostream& err) {
    if (!text) return true;
    AnimationList probe;
    std::string problem;
    if (probe.SetValue(field, *text, problem)) return true;
    const int digits = std::string(field) == AnimationList::kWriteNoField ? AnimationList::kWriteNoDigits
                                                                           : AnimationList::kTimeDigits;
    err << "tesslor-cli: " << option << " には" << digits << "桁までの数字を指定して下さい: \"" << *text << "\"\n";
    return false;
}

// Saves image as a PNG or a BMP by the extension of path.
bool SaveImage(const MemoryImage& frame, const std::string& path, Prompter& prompter) {
    PngImage png;
    MemoryImage bmp;
    MemoryImage& image = LowerExtension(path) == "png" ? static_cast<MemoryImage&>(png) : bmp;
    image.Assign(frame.Width(), frame.Height(), frame.Pixels());
    if (image.SaveToFile(path)) return true;
    prompter.Inform(image.ErrorText().empty() ? "tesslor-cli: " + path + " に書き込めませんでした" : image.ErrorText());
    return false;
}

// The frames one beside the other, first on the left.
MemoryImage SideBySide(const std::vector<MemoryImage>& frames) {
    const int w = frames.front().Width(), h = frames.front().Height();
    const int n = static_cast<int>(frames.size());
    std::vector<Rgb> pixels(static_cast<std::size_t>(w) * n * h);
    for (int i = 0; i < n; ++i)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                pixels[static_cast<std::size_t>(y) * w * n + i * w + x] =
                    frames[i].Pixels()[static_cast<std::size_t>(y) * w + x];
    MemoryImage all;
    all.Assign(w * n, h, std::move(pixels));
    return all;
}

}  // namespace

int RunAnimate(const AnimateOptions& options, std::ostream& err) {
    if (!CheckTypeable(options.writeNo, AnimationList::kWriteNoField, "--write-no", err) ||
        !CheckTypeable(options.time, AnimationList::kTimeField, "--time", err))
        return kExitUsage;
    StreamPrompter prompter(err);
    AnimationList list;
    if (options.pictures.empty()) {
        if (!list.LoadAnimationList(options.list, prompter)) return kExitFailed;
    } else {
        list.OpenWindow();
        // The pictures are one pick: a refused one ends it with its message, and nothing is written.
        if (list.AddPictures(options.pictures, -1, prompter) != static_cast<int>(options.pictures.size()))
            return kExitFailed;
    }
    if (options.type) list.Type = *options.type;
    if (options.writeNo) list.WriteNoText = *options.writeNo;
    if (options.time) list.TimeText = *options.time;
    return list.SaveAnimation(options.list, prompter) ? kExitOk : kExitFailed;
}

int RunRenderAnimation(const StartupConfig& config, const std::string& listPath, const std::string& output,
                       std::ostream& err) {
    const std::string ext = LowerExtension(output);
    if (ext != "bmp" && ext != "png" && ext != "gif") {
        err << "tesslor-cli: " << output << " には書き込めません（コマは .bmp .png .gif で保存します）\n";
        return kExitUsage;
    }
    StreamPrompter prompter(err);
    AnimationList list;
    if (!list.LoadAnimationList(listPath, prompter)) return kExitFailed;
    if (!CheckDemoList(list, prompter)) return kExitFailed;

    const std::size_t before = prompter.Count();
    NullSurface surface;
    LedHyoujikiClass doc(surface, DisplayShapeOf(config));
    DocumentFiles files(doc, prompter, RealFileSystem(), config.CustomerMode);
    std::vector<MemoryImage> frames =
        CaptureAnimationFrames(doc, list, [&files](const std::string& path) { files.OpenFile(path); }, surface,
                               prompter);
    const bool entryFailed = prompter.Count() != before;
    if (frames.front().Width() <= 0 || frames.front().Height() <= 0) {
        prompter.Inform("tesslor-cli: 設定の表示器にパネルがないため、画像を書き込みませんでした");
        return kExitFailed;
    }

    if (ext == "gif") {
        // The frames as the animation demo plays them.
        std::string error;
        if (!WriteAnimatedGif(RealFileSystem(), output, AnimationGifFrames(frames), &error)) {
            prompter.Inform(error);
            return kExitFailed;
        }
        return entryFailed ? kExitFailed : kExitOk;
    }
    const std::size_t mark = output.find("%d");
    if (mark == std::string::npos) {
        if (!SaveImage(SideBySide(frames), output, prompter)) return kExitFailed;
    } else {
        for (std::size_t i = 0; i < frames.size(); ++i) {
            std::string path = output;
            path.replace(mark, 2, std::to_string(i));
            if (!SaveImage(frames[i], path, prompter)) return kExitFailed;
        }
    }
    return entryFailed ? kExitFailed : kExitOk;
}

int RunShowAnimationData(const std::string& path, std::ostream& out, std::ostream& err) {
    StreamPrompter prompter(err);
    std::unique_ptr<LineReader> in = RealFileSystem().OpenText(path);
    if (!in) {
        prompter.Inform(kFileOpenErrorMessage);
        return kExitFailed;
    }
    AnimationDataSettings settings;
    std::string message;
    if (!ShowFailure(prompter, ReadAnimationData(*in, settings, message), message)) return kExitFailed;
    // The settings in the words of `card check`'s summary and of animate's options.
    out << "kind=animation-data" << '\n'
        << "type=" << (settings.Type == kAnimationSuper ? "super" : "normal") << '\n'
        << "writeno=" << settings.WriteNo << '\n'
        << "pictures=" << settings.Pictures << '\n'
        << "time=" << settings.DisplayTime << '\n'
        << std::flush;
    return kExitOk;
}

bool CheckAnimationFile(const std::string& path, bool& ok, std::string& message) {
    const std::string ext = LowerExtension(path);
    if (ext != "alt" && ext != "ana") return false;
    message.clear();
    if (ext == "alt") {
        AnimationList list;
        ok = list.LoadAnimationList(path, message);
    } else if (std::unique_ptr<LineReader> in = RealFileSystem().OpenText(path)) {
        ok = CheckAnimationData(*in, message);
    } else {
        ok = false;
        message = kFileOpenErrorMessage;
    }
    if (!ok && message.empty()) message = "読み込めませんでした";
    return true;
}

}  // namespace tesslor::cli
