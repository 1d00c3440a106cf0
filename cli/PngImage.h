#pragma once
// PNG pictures for the command-line tool, through Qt's image codec: an
// in-memory image that loads and saves PNG files instead of BMP files.
#include <string>

#include "platform/MemoryImage.h"

namespace tesslor::cli {

class PngImage : public MemoryImage {
public:
    /// Loads a PNG file (or any image Qt reads). False, image unchanged, when it cannot be read.
    bool LoadFromFile(const std::string& path) override;
    /// Saves as PNG; the file is replaced only when all of it was written.
    /// False (earlier file untouched, ErrorText() set) otherwise.
    bool SaveToFile(const std::string& path) override;
    std::string ErrorText() const override { return error_; }

private:
    std::string error_;
};

}  // namespace tesslor::cli
