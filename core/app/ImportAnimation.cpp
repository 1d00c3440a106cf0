#include "app/ImportAnimation.h"

#include <algorithm>
#include <optional>

#include "app/ControlBar.h"
#include "files/LedDataFile.h"
#include "files/UnitFile.h"
#include "makers/AnimationList.h"
#include "platform/NullSurface.h"
#include "platform/Paths.h"
#include "text/Numbers.h"

namespace tesslor {

namespace {

bool LightsNothing(const PictureDots& frame) {
    const auto& codes = frame.Codes();
    return std::none_of(codes.begin(), codes.end(), [](LedColor c) { return c != kOff; });
}

// Whether the frames are one picture and darkness taking turns: the unit
// blinks a picture by itself (display mode 点滅１), no animation needed.
bool OnlyBlinks(const std::vector<PictureDots>& frames) {
    const PictureDots* lit = nullptr;
    for (const PictureDots& frame : frames) {
        if (LightsNothing(frame)) continue;
        if (lit && !(frame == *lit)) return false;
        lit = &frame;
    }
    return lit != nullptr;
}

// The bar's start-up asks nothing and says nothing that matters here.
class NoMessages : public Prompter {
public:
    void Inform(const std::string&) override {}
    bool Confirm(const std::string&) override { return true; }
    bool Ask(const std::string&) override { return true; }
};

bool WriteFrame(FileSystem& files, const StartupConfig& config, const std::string& path, const PictureDots& dots,
                std::string& message) {
    NullSurface surface;
    LedHyoujikiClass doc(surface, DisplayShapeOf(config));
    NoMessages quiet;
    ControlBar bar(doc, quiet, config.CustomerMode);
    bar.FormCreate();  // write number 1, 標準, as a new picture starts
    ApplyPicture(doc, dots);
    if (WriteWholeFile(files, path, [&](OutputFile& out) { return WriteLedData(doc, out); }, message)) return true;
    message = FileNamePart(path) + ": " + message;
    return false;
}

// The list of the animation, checked: its names (the unit reads 30 bytes;
// not while list is "", no name chosen yet), the list's own checks and
// frames without a lit dot. "" when it may be written.
std::string PrepareAnimation(AnimationList& animation, const StartupConfig& config, const std::string& list,
                             const std::vector<PictureDots>& frames, const std::vector<int>& delaysCs,
                             const std::string& writeNo) {
    const int count = static_cast<int>(frames.size());
    if (!list.empty())
        for (const std::string& name : {FrameNameOf(list, count - 1), list, AnimationList::DataPathFor(list)})
            if (!NameFitsUnit(FileNamePart(name))) return FileNamePart(name) + " は表示器の読める 30 バイトを超える名前です";
    animation.Type = kAnimationSuper;
    animation.WriteNoText = writeNo;
    animation.TimeText = std::to_string(AnimationTimeOf(delaysCs));
    animation.PictureFolder = FolderOfFile(list);
    for (int k = 0; k < count; ++k) animation.Entries.push_back(FileNamePart(FrameNameOf(list, k)));
    if (std::string fault = animation.Fault(); !fault.empty()) return fault;
    if (const int dark = FirstDarkFrame(frames); dark >= 0)
        return DarkFrameMessage(list.empty() ? "" : FileNamePart(FrameNameOf(list, dark)), dark, config,
                                OnlyBlinks(frames));
    return "";
}

}  // namespace

int AnimationTimeOf(std::vector<int> delaysCs) {
    if (delaysCs.empty()) return 10;
    std::sort(delaysCs.begin(), delaysCs.end());
    const int median = delaysCs[(delaysCs.size() - 1) / 2];
    return median <= 1 ? 10 : std::min(median, 9999);
}

std::string FrameNameOf(const std::string& alt, int k) { return ReplaceExtension(alt, "") + "_" + ZeroPad(k + 1, 2) + ".lee"; }

std::string FramesLeftOutNotice(int total, int kept) {
    return "注意: " + std::to_string(total) + " 枚のうち初めの " + std::to_string(kept) +
           " 枚を取り込みました（スーパーアニメーションは " + std::to_string(kImportAnimationFrames) + " 枚まで）";
}

std::vector<std::string> ImportedAnimationFiles(const std::string& listPath, int count) {
    const std::string list = AnimationList::ListPathFor(listPath);
    std::vector<std::string> paths;
    for (int k = 0; k < count; ++k) paths.push_back(FrameNameOf(list, k));
    paths.push_back(list);
    paths.push_back(AnimationList::DataPathFor(list));
    return paths;
}

std::vector<std::string> ExistingImportedAnimationFiles(FileSystem& files, const std::string& listPath, int count) {
    std::vector<std::string> names;
    std::string head;
    for (const std::string& path : ImportedAnimationFiles(listPath, count))
        if (files.ReadPrefix(path, 1, head) || files.FolderExists(path)) names.push_back(FileNamePart(path));
    return names;
}

std::string ImportReplaceQuestion(const std::vector<std::string>& names) {
    constexpr std::size_t kNamed = 4;
    std::string text;
    for (std::size_t k = 0; k < names.size() && k < kNamed; ++k) text += (k == 0 ? "" : "、") + names[k];
    if (names.size() > kNamed) text += " ほか " + std::to_string(names.size() - kNamed) + " ファイル";
    return text + " は、もうあります。置き換えますか？";
}

int FirstDarkFrame(const std::vector<PictureDots>& frames) {
    // A picture without a lit dot has no colour blocks, which animation data cannot take.
    for (std::size_t k = 0; k < frames.size(); ++k)
        if (LightsNothing(frames[k])) return static_cast<int>(k);
    return -1;
}

std::string DarkFrameMessage(const std::string& name, int k, const StartupConfig& config, bool blinks) {
    // On a board configured without panel rows no option lights anything.
    const std::string hint = config.TateMaisuu <= 0 ? "設定の TateMaisuu が 0 以下で、表示器に点灯できる段がありません"
                             : blinks ? "点灯と消灯を繰り返すだけの画像は、絵として読み込み、表示モードを「点滅１」にすると"
                                        "表示器が点滅させます"
                                      : "しきい値・反転・色を変えてみてください";
    return std::to_string(k + 1) + " 枚目" + (name.empty() ? "" : "（" + name + "）") +
           "には点灯する点がありません。点灯する点のない絵はアニメーションに入れられません（" + hint + "）";
}

std::string ImportedAnimationRefusal(FileSystem& files, const StartupConfig& config, const std::string& listPath,
                                     const std::vector<PictureDots>& frames, const std::string& writeNo) {
    AnimationList animation(files);
    return PrepareAnimation(animation, config, listPath.empty() ? "" : AnimationList::ListPathFor(listPath), frames, {},
                            writeNo);
}

bool WriteImportedAnimation(FileSystem& files, const StartupConfig& config, const std::string& listPath,
                            const std::vector<PictureDots>& frames, const std::vector<int>& delaysCs,
                            const std::string& writeNo, std::string& message) {
    const int count = static_cast<int>(frames.size());
    const std::string list = AnimationList::ListPathFor(listPath);
    AnimationList animation(files);
    // Every check comes first, so that a refusal leaves no pictures behind.
    if (message = PrepareAnimation(animation, config, list, frames, delaysCs, writeNo); !message.empty()) return false;
    // What every file held before, to put back should a later one fail: an
    // animation half written would cost the pictures it replaced and give
    // the unit nothing whole.
    const std::vector<std::string> paths = ImportedAnimationFiles(list, count);
    std::vector<std::optional<std::string>> earlier(paths.size());
    for (std::size_t k = 0; k < paths.size(); ++k)
        if (std::string bytes; files.ReadAll(paths[k], bytes)) earlier[k] = std::move(bytes);
    std::size_t done = 0;  // paths[0 .. done) are written; a file that fails is left as it was
    const auto wrote = [&done](bool ok) { return ok && ++done > 0; };
    bool ok = true;
    for (int k = 0; k < count && ok; ++k)
        ok = wrote(WriteFrame(files, config, paths[done], frames[done], message));
    ok = ok && wrote(animation.WriteListFile(list, message)) &&
         wrote(animation.WriteDataFile(AnimationList::DataPathFor(list), message));
    if (ok) return true;
    bool restored = true;
    for (std::size_t k = done; k-- > 0;)
        restored = PutBackFile(files, paths[k], earlier[k] ? &*earlier[k] : nullptr) && restored;
    if (!restored) message += "（書き込んだファイルの一部を元に戻せませんでした）";
    return false;
}

}  // namespace tesslor
