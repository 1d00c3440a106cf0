#pragma once
// What the demos show, as the frames of an animated GIF to share: the still
// picture's demo in its display mode with the demo's own timings, and the
// animation demo's pictures at its pace.
#include <string>
#include <vector>

#include "platform/MemoryImage.h"
#include "led/Ledhyoujiki.h"

namespace tesslor {

/// The animation demo's pace: one picture every 100 ms.
inline constexpr int kAnimationFrameCs = 10;

/// The still-picture demo of the document in its display mode, frame by
/// frame as the demo window shows it (its client area, black where no image
/// lies): one frame for the still and reversed views; the two phases of a
/// blink for a second each; a scroll over one whole pass, every second 16 ms
/// tick (GIF viewers slow down faster frames) with delays that keep the
/// demo's pace. The document must be laid out as the demo lays it out
/// (Relayout at 80). Empty when the configured display has no panels.
std::vector<GifFrame> DemoGifFrames(LedHyoujikiClass& doc);

/// The name GIFで保存 proposes: the shown file's name (the picture, or the
/// animation list) with ".gif" in place of its extension, in folder; ""
/// when the demo shows no file. The unit never reads a GIF, so it is not
/// proposed on the card beside the file it shows.
std::string GifPathFor(const std::string& shownFile, const std::string& folder);
/// What the demo says after a good GIFで保存: where the file went.
std::string GifSavedText(const std::string& path);

/// Hundredths of a second for frames of tickMs each, rounded so that the
/// running total stays true (32 ms ticks give 3, 3, 4, 3, 3, …) but never
/// below minimumCs (viewers slow down frames under 2).
std::vector<int> FrameDelaysCs(int frameCount, int tickMs, int minimumCs = 2);

/// The animation demo's frames, each shown for 100 ms.
std::vector<GifFrame> AnimationGifFrames(const std::vector<MemoryImage>& pictures);

}  // namespace tesslor
