#pragma once
// Animated GIF files, for sharing what the demos show: frames of one size,
// each with its delay, looping forever. Written through giflib, whole or not
// at all; read back (tests, checks) into plain images.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Files.h"
#include "platform/MemoryImage.h"
#include "platform/RgbaImage.h"

namespace tesslor {

/// What a build without giflib (the Windows command-line tool) says for any GIF.
inline constexpr const char* kNoGifMessage = "この tesslor-cli は GIF を扱えません（Windows 版は BMP だけを書き出します）";

/// The frames as an animated GIF that loops forever. Every frame must have
/// the size of the first (at least 1 x 1, at most 65,535 a side). The colours
/// of all frames share one table; past 256 colours the rest take the nearest
/// of the first 256 (the demos use a handful). Delays are kept within 0 to
/// 65,535. Nothing, with error set, for no frames or unequal sizes.
std::optional<std::string> EncodeAnimatedGif(const std::vector<GifFrame>& frames, std::string* error = nullptr);

/// Writes EncodeAnimatedGif's bytes to path whole or not at all. False, with
/// error set in words for the operator and the earlier file untouched, on failure.
bool WriteAnimatedGif(FileSystem& files, const std::string& path, const std::vector<GifFrame>& frames,
                      std::string* error = nullptr);

/// A GIF read back: its frames composed on the canvas as a viewer shows them.
struct DecodedGif {
    int width = 0, height = 0;
    int loopCount = -1;  ///< 0 loops forever; -1 when the file has no loop block
    std::vector<GifFrame> frames;
};

/// Decodes GIF bytes. Nothing, with error set, when they are not a readable
/// GIF or its screen or a frame is over 16 million pixels.
std::optional<DecodedGif> DecodeGif(std::string_view bytes, std::string* error = nullptr);

/// Goes through a GIF's frames as a browser shows them, for import: the
/// screen starts transparent; each frame is drawn over what came before (its
/// transparent colour shows what was there, parts outside the screen are cut
/// off); after it is shown, disposal 2 clears its area to transparent and
/// disposal 3 puts back what was there before it. frame(screen, delayCs) is
/// called for each; returning false stops. False, with error set, when the
/// bytes are not a readable GIF, the screen is empty, or a side of it is
/// over kMaxImportSide (refused before anything is allocated). A GIF cut
/// short after some frames keeps them and says false.
bool ForEachGifFrame(std::string_view bytes, const std::function<bool(const RgbaImage& screen, int delayCs)>& frame,
                     std::string* error = nullptr);


}  // namespace tesslor
