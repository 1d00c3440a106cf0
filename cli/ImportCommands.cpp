#include "ImportCommands.h"

#include <algorithm>

#include "CliCommands.h"
#include "PngImage.h"
#include "makers/AnimationList.h"
#include "platform/Paths.h"
#include "text/Numbers.h"
#include "text/ShiftJis.h"

#ifndef TESSLOR_NO_QT
#include "platform/ImportImageFile.h"
#endif

namespace tesslor::cli {

namespace {

#ifndef TESSLOR_NO_QT
constexpr int kSuperFrames = 30;

// The unit reads at most 30 bytes of a name (Shift-JIS).
bool NameFits(const std::string& path) {
    const std::optional<std::string> sjis = ToShiftJis(FileNamePart(path));
    return sjis && sjis->size() <= 30;
}

int WriteAnimation(const StartupConfig& config, const ImportArgs& args, const std::vector<RgbaImage>& frames,
                   const std::vector<int>& delays, int total, std::ostream& err) {
    const std::string folder = FolderOfFile(args.output);
    const int kept = static_cast<int>(frames.size());
    // Every name is checked before anything is written.
    for (const std::string& name : {FrameNameOf(args.output, kept - 1), AnimationList::ListPathFor(args.output),
                                    AnimationList::DataPathFor(args.output)})
        if (!NameFits(name)) {
            err << "tesslor-cli: " << FileNamePart(name) << " は表示器の読める 30 バイトを超える名前です\n";
            return kExitFailed;
        }
    AnimationList list;
    list.Type = kAnimationSuper;
    list.WriteNoText = args.writeNo.value_or("1");
    list.TimeText = std::to_string(AnimationTimeOf(delays));
    list.PictureFolder = folder;
    StreamPrompter prompter(err);
    // The list's own checks come first, so that a refused write number leaves no pictures behind.
    for (int k = 0; k < kept; ++k) list.Entries.push_back(FileNamePart(FrameNameOf(args.output, k)));
    if (!list.Validate(prompter)) return kExitFailed;
    for (int k = 0; k < kept; ++k) {
        const PictureDots dots = ImportImageDots(frames[static_cast<std::size_t>(k)], args.options,
                                                 DisplayShapeOf(config));
        if (int status = WritePicture(config, dots, FrameNameOf(args.output, k), {}, err); status != kExitOk)
            return status;
    }
    if (!list.SaveAnimation(args.output, prompter)) return kExitFailed;
    if (total > kept)
        err << "注意: " << total << " 枚のうち初めの " << kept << " 枚を取り込みました（スーパーアニメーションは "
            << kSuperFrames << " 枚まで）\n";
    return kExitOk;
}
#endif

}  // namespace

int AnimationTimeOf(std::vector<int> delaysCs) {
    if (delaysCs.empty()) return 10;
    std::sort(delaysCs.begin(), delaysCs.end());
    const int median = delaysCs[(delaysCs.size() - 1) / 2];
    return median <= 1 ? 10 : std::min(median, 9999);
}

std::string FrameNameOf(const std::string& alt, int k) {
    const std::string base = ReplaceExtension(alt, "");
    return base + "_" + ZeroPad(k + 1, 2) + ".lee";
}

int RunImport(const StartupConfig& config, const ImportArgs& args, std::ostream& err) {
    const std::string ext = LowerExtension(args.output);
    if (ext != "lee" && ext != "alt") {
        err << "tesslor-cli: 出力は .lee（絵）か .alt（動画）です: " << args.output << "\n";
        return kExitUsage;
    }
#ifdef TESSLOR_NO_QT
    (void)config;
    err << "この tesslor-cli は画像を取り込めません（Windows 版は BMP を convert で読み込みます）\n";
    return kExitFailed;
#else
    gui::ImportImageFile image;
    std::string message;
    bool read = false;
    {
        QuietCodec quiet;
        read = gui::ReadImportImage(RealFileSystem(), args.input, ext == "alt" ? kSuperFrames : 1, image, message);
    }
    if (!read) {
        err << "tesslor-cli: " << message << "\n";
        return kExitFailed;
    }
    if (ext == "lee") {
        ConvertOptions settings;
        settings.writeNo = args.writeNo;
        return WritePicture(config, ImportImageDots(image.frames.front(), args.options, DisplayShapeOf(config)),
                            args.output, settings, err);
    }
    return WriteAnimation(config, args, image.frames, image.delaysCs, image.totalFrames, err);
#endif
}

}  // namespace tesslor::cli
