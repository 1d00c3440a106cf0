#include "app/ImportAnimation.h"

#include <algorithm>

#include "app/ControlBar.h"
#include "files/LedDataFile.h"
#include "files/UnitFile.h"
#include "makers/AnimationList.h"
#include "platform/NullSurface.h"
#include "platform/Paths.h"
#include "text/Numbers.h"

namespace tesslor {

namespace {

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

bool WriteImportedAnimation(FileSystem& files, const StartupConfig& config, const std::string& listPath,
                            const std::vector<PictureDots>& frames, const std::vector<int>& delaysCs,
                            const std::string& writeNo, std::string& message) {
    const int count = static_cast<int>(frames.size());
    const std::string list = AnimationList::ListPathFor(listPath);
    for (const std::string& name : {FrameNameOf(list, count - 1), list, AnimationList::DataPathFor(list)})
        if (!NameFitsUnit(FileNamePart(name))) {
            message = FileNamePart(name) + " は表示器の読める 30 バイトを超える名前です";
            return false;
        }
    AnimationList animation(files);
    animation.Type = kAnimationSuper;
    animation.WriteNoText = writeNo;
    animation.TimeText = std::to_string(AnimationTimeOf(delaysCs));
    animation.PictureFolder = FolderOfFile(list);
    for (int k = 0; k < count; ++k) animation.Entries.push_back(FileNamePart(FrameNameOf(list, k)));
    // The list's own checks come first, so that a refused write number leaves no pictures behind.
    if (message = animation.Fault(); !message.empty()) return false;
    for (int k = 0; k < count; ++k)
        if (!WriteFrame(files, config, FrameNameOf(list, k), frames[static_cast<std::size_t>(k)], message)) return false;
    return animation.WriteFiles(list, message);
}

}  // namespace tesslor
