#include "AnimationCommands.h"

#include "files/GifFile.h"
#include "led/DemoGif.h"

#include <memory>

#include "CliCommands.h"
#include "PngImage.h"
#include "app/DocumentFiles.h"
#include "app/Messages.h"
#include "led/Ledhyoujiki.h"
#include "makers/AnimationList.h"
#include "platform/MemoryImage.h"
#include "platform/NullSurface.h"
#include "platform/Paths.h"

namespace tesslor::cli {

namespace {

// Whether text could have been typed into a box of at most maxChars digits
// (a box not filled up holds blanks).
bool Typeable(const std::string& text, std::size_t maxChars) {
    if (text.size() > maxChars) return false;
    for (char c : text)
        if (c != ' ' && (c < '0' || c > '9')) return false;
    return true;
}

bool CheckTypeable(const std::optional<std::string>& text, std::size_t maxChars, const char* option,
                   std::ostream& err) {
    if (!text || Typeable(*text, maxChars)) return true;
    err << "tesslor-cli: " << option << " takes at most " << maxChars << " digits, not \"" << *text << "\"\n";
    return false;
}

// Saves image as a PNG or a BMP by the extension of path.
bool SaveImage(const MemoryImage& frame, const std::string& path, Prompter& prompter) {
    PngImage png;
    MemoryImage bmp;
    MemoryImage& image = LowerExtension(path) == "png" ? static_cast<MemoryImage&>(png) : bmp;
    image.Assign(frame.Width(), frame.Height(), frame.Pixels());
    if (image.SaveToFile(path)) return true;
    prompter.Inform(image.ErrorText().empty() ? "tesslor-cli: " + path + " was not written" : image.ErrorText());
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
    if (!CheckTypeable(options.writeNo, 2, "--write-no", err) || !CheckTypeable(options.time, 4, "--time", err))
        return kExitUsage;
    StreamPrompter prompter(err);
    AnimationList list;
    if (options.pictures.empty()) {
        if (!list.LoadAnimationList(options.list, prompter)) return kExitFailed;
    } else {
        list.OpenWindow();
        for (const std::string& picture : options.pictures)
            if (!list.AddPicture(picture, -1, prompter)) return kExitFailed;
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
        err << "tesslor-cli: cannot write " << output << ": frames are saved as .bmp, .png or .gif\n";
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
        CaptureAnimationFrames(doc, list, [&files](const std::string& path) { files.OpenFile(path); }, surface);
    const bool entryFailed = prompter.Count() != before;
    if (frames.front().Width() <= 0 || frames.front().Height() <= 0) {
        prompter.Inform("tesslor-cli: the configured display has no panels to show, so no image was written");
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

bool CheckAnimationFile(const std::string& path, bool& ok, std::string& message) {
    const std::string ext = LowerExtension(path);
    if (ext != "alt" && ext != "ana") return false;
    RecordingPrompter prompter;
    if (ext == "alt") {
        AnimationList list;
        ok = list.LoadAnimationList(path, prompter);
    } else if (std::unique_ptr<LineReader> in = RealFileSystem().OpenText(path)) {
        ok = CheckAnimationData(*in, prompter);
    } else {
        ok = false;
        prompter.Inform(kFileOpenErrorMessage);
    }
    message = prompter.shown.empty() ? std::string(ok ? "" : "could not be read") : prompter.shown.front();
    return true;
}

}  // namespace tesslor::cli
