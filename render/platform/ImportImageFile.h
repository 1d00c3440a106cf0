#pragma once
// Image files for import: PNG, JPEG, BMP and whatever else Qt's image readers
// take, and GIF with all its frames composed as a browser shows them. Sizes
// are checked against what the file declares before anything is decoded.
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/RgbaImage.h"

namespace tesslor::gui {

/// What an image file gave for import.
struct ImportImageFile {
    std::vector<RgbaImage> frames;  ///< at most the number asked for
    std::vector<int> delaysCs;      ///< each frame's delay in hundredths of a second (0 for a still image)
    int totalFrames = 0;            ///< every frame the file holds, kept or not
};

/// Reads the image at path through files. A GIF (told by its first bytes)
/// gives up to maxFrames composed frames and counts the rest; any other
/// image gives one frame. False, with message naming the file, when it cannot
/// be read, is not an image, or declares a side over kMaxImportSide.
bool ReadImportImage(FileSystem& files, const std::string& path, int maxFrames, ImportImageFile& out,
                     std::string& message);

/// The same over bytes already read; name is what messages call them.
bool DecodeImportImage(const std::string& bytes, const std::string& name, int maxFrames, ImportImageFile& out,
                       std::string& message);

/// "ファイル <name> は画像として読めません（PNG、JPEG、GIF、BMP などを読めます）".
std::string NotAnImageMessage(const std::string& name);

}  // namespace tesslor::gui
