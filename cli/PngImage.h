#pragma once
// PNG pictures for the command-line tool: the editor's image (PNG when the
// name ends in ".png", BMP otherwise), with the codec's own complaints kept
// off standard error, where the tool reports a failed image in its own words.
// A build without Qt (the Windows tool) has no PNG codec and says so.
#include <string>

#ifdef TESSLOR_NO_QT
#include "platform/MemoryImage.h"
#else
#include <QtGlobal>

#include "platform/QtImage.h"
#endif

namespace tesslor::cli {

/// What a build without Qt says for any PNG picture.
inline constexpr const char* kNoPngMessage =
    "この tesslor-cli は PNG を扱えません（Windows 版は BMP だけを読み書きします）";

#ifdef TESSLOR_NO_QT
class PngImage : public MemoryImage {
public:
    explicit PngImage(FileSystem& files = RealFileSystem()) : MemoryImage(files) {}
    bool LoadFromFile(const std::string&) override { return false; }
    bool SaveToFile(const std::string&) override { return false; }
    std::string ErrorText() const override { return kNoPngMessage; }
};
#else
/// While alive, the image codecs' own complaints ("libpng error: …") are
/// kept off standard error: the tool reports a failed image in its words.
class QuietCodec {
public:
    QuietCodec();
    ~QuietCodec();
    QuietCodec(const QuietCodec&) = delete;
    QuietCodec& operator=(const QuietCodec&) = delete;

private:
    QtMessageHandler previous_;
    int savedStderr_ = -1;
};

class PngImage : public gui::QtImage {
public:
    explicit PngImage(FileSystem& files = RealFileSystem()) : QtImage(files) {}
    bool LoadFromFile(const std::string& path) override;
    bool SaveToFile(const std::string& path) override;
};
#endif

}  // namespace tesslor::cli
