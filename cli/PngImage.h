#pragma once
// PNG pictures for the command-line tool: the editor's image (PNG when the
// name ends in ".png", BMP otherwise), with the codec's own complaints kept
// off standard error, where the tool reports a failed image in its own words.
#include <string>

#include "platform/QtImage.h"

namespace tesslor::cli {

class PngImage : public gui::QtImage {
public:
    explicit PngImage(FileSystem& files = RealFileSystem()) : QtImage(files) {}
    bool LoadFromFile(const std::string& path) override;
    bool SaveToFile(const std::string& path) override;
};

}  // namespace tesslor::cli
