#include "ImportCommands.h"

#include "CliCommands.h"
#include "PngImage.h"
#include "app/ImportAnimation.h"
#include "platform/Paths.h"

#ifndef TESSLOR_NO_QT
#include "platform/ImportImageFile.h"
#endif

namespace tesslor::cli {

namespace {

#ifndef TESSLOR_NO_QT
int WriteAnimation(const StartupConfig& config, const ImportArgs& args, const gui::ImportImageFile& image,
                   std::ostream& err) {
    std::vector<PictureDots> frames;
    gui::ForEachImportFrame(image, [&](const RgbaImage& frame) {
        frames.push_back(ImportImageDots(frame, args.options, DisplayShapeOf(config)));
    });
    std::string message;
    if (!WriteImportedAnimation(RealFileSystem(), config, args.output, frames, image.delaysCs,
                                args.writeNo.value_or("1"), message)) {
        err << "tesslor-cli: " << message << "\n";
        return kExitFailed;
    }
    const int kept = static_cast<int>(frames.size());
    if (image.totalFrames > kept) err << FramesLeftOutNotice(image.totalFrames, kept) << "\n";
    return kExitOk;
}
#endif

}  // namespace

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
        gui::AllowImportSizedImages();
        read = gui::ReadImportImage(RealFileSystem(), args.input, ext == "alt" ? kImportAnimationFrames : 1, image, message);
    }
    if (!read) {
        err << "tesslor-cli: " << message << "\n";
        return kExitFailed;
    }
    if (ext == "lee") {
        ConvertOptions settings;
        settings.writeNo = args.writeNo;
        return WritePicture(config, ImportImageDots(image.first, args.options, DisplayShapeOf(config)),
                            args.output, settings, err);
    }
    return WriteAnimation(config, args, image, err);
#endif
}

}  // namespace tesslor::cli
