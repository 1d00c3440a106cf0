#pragma once
// Image files for import: PNG, JPEG, BMP and whatever else Qt's image readers
// take, and GIF with all its frames composed as a browser shows them. Sizes
// are checked against what the file declares before anything is decoded.
#include <functional>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/RgbaImage.h"

namespace tesslor::gui {

/// What an image file gave for import. Only the first frame is held: a GIF's
/// frames are each a whole screen, and a file of a few hundred bytes may
/// declare thirty screens of 8192 x 8192; the others are composed again, one
/// at a time, by ForEachImportFrame.
struct ImportImageFile {
    RgbaImage first;            ///< the first frame
    std::vector<int> delaysCs;  ///< each kept frame's delay in hundredths of a second (0 for a still image)
    int totalFrames = 0;        ///< every frame the file holds, kept or not
    std::string gif;            ///< a GIF's bytes, to compose its frames from

    /// The frames kept: at most the number asked for.
    int KeptFrames() const { return static_cast<int>(delaysCs.size()); }
};

/// Calls frame for each kept frame of image in order, composed from the GIF's
/// bytes one at a time (the first frame alone for any other image).
void ForEachImportFrame(const ImportImageFile& image, const std::function<void(const RgbaImage&)>& frame);

/// Reads the image at path through files. A GIF (told by its first bytes)
/// keeps up to maxFrames composed frames and counts the rest; any other
/// image gives one frame. False, with message naming the file, when it cannot
/// be read, is not an image, or declares a side over kMaxImportSide.
bool ReadImportImage(FileSystem& files, const std::string& path, int maxFrames, ImportImageFile& out,
                     std::string& message);

/// The same over bytes already read; name is what messages call them.
bool DecodeImportImage(const std::string& bytes, const std::string& name, int maxFrames, ImportImageFile& out,
                       std::string& message);

/// Lets Qt's readers decode images as large as import takes: by itself Qt
/// refuses to decode more than 128 MiB, an image of some 5800 x 5800. The
/// limit is the whole program's; a caller that wants less sets it after.
void AllowImportSizedImages();

/// "ファイル <name> は画像として読めません（PNG、JPEG、GIF、BMP などを読めます）".
std::string NotAnImageMessage(const std::string& name);

}  // namespace tesslor::gui
