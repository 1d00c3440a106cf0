#include "led/DemoGif.h"

#include "platform/Paths.h"

#include <algorithm>

#include "led/DemoSequence.h"

namespace tesslor {

namespace {

// Copies image onto canvas with its top-left corner at (left, 0), clipped.
void Place(MemoryImage& canvas, const MemoryImage& image, int left) {
    const int rows = std::min(canvas.Height(), image.Height());
    for (int y = 0; y < rows; ++y) {
        const int from = std::max(0, -left), to = std::min(image.Width(), canvas.Width() - left);
        if (to <= from) continue;
        std::copy(image.Data() + static_cast<std::size_t>(y) * image.Width() + from,
                  image.Data() + static_cast<std::size_t>(y) * image.Width() + to,
                  canvas.Data() + static_cast<std::size_t>(y) * canvas.Width() + left + from);
    }
}

}  // namespace

std::vector<GifFrame> DemoGifFrames(LedHyoujikiClass& doc) {
    MemoryImage normal;
    doc.RenderNormal(normal);
    if (normal.Width() <= 0 || normal.Height() <= 0) return {};
    const DemoWindowSize client = DemoClientSizeFor(normal.Width(), normal.Height());
    const int mode = doc.DisplayModeIndex();
    const DemoKind kind = DemoKindOf(mode);

    MemoryImage image1 = normal, image2, image3;
    if (kind == DemoKind::Reversed) doc.RenderReversed(image1);
    if (kind == DemoKind::Blink) doc.RenderBlank(image2);
    if (kind == DemoKind::BlinkReversed) doc.RenderReversed(image2);
    if (kind == DemoKind::Scroll) doc.RenderScrollStrip(image3);

    DemoSequence sequence;
    sequence.Start(mode, doc.ScrollStripWidth(), doc.ScrollStep());
    auto shown = [&] {
        MemoryImage canvas(client.width, client.height);
        if (sequence.image1Visible) Place(canvas, image1, 0);
        if (sequence.image2Visible) Place(canvas, image2, 0);
        if (sequence.image3Visible) Place(canvas, image3, sequence.image3Left);
        return canvas;
    };

    std::vector<GifFrame> frames;
    switch (kind) {
        case DemoKind::Still:
        case DemoKind::Reversed:
            frames.push_back({shown(), 100});
            break;
        case DemoKind::Blink:
        case DemoKind::BlinkReversed:
            for (int phase = 0; phase < 2; ++phase) {
                frames.push_back({shown(), kBlinkTickMs / 10});
                sequence.Tick();
            }
            break;
        case DemoKind::Scroll: {
            constexpr int kTicksPerFrame = 2;
            constexpr std::size_t kMaxScrollFrames = 2000;  // a pass is a few hundred at most
            // One pass: from the start until the strip is back at 0.
            do {
                frames.push_back({shown(), 0});
                for (int t = 0; t < kTicksPerFrame && (t == 0 || sequence.image3Left != 0); ++t) sequence.Tick();
            } while (sequence.image3Left != 0 && frames.size() < kMaxScrollFrames);
            const std::vector<int> delays = FrameDelaysCs(static_cast<int>(frames.size()), kTicksPerFrame * kScrollTickMs);
            for (std::size_t i = 0; i < frames.size(); ++i) frames[i].delayCs = delays[i];
            break;
        }
    }
    return frames;
}

std::vector<GifFrame> AnimationGifFrames(const std::vector<MemoryImage>& pictures) {
    std::vector<GifFrame> frames;
    for (const MemoryImage& p : pictures) frames.push_back({p, kAnimationFrameCs});
    return frames;
}

std::string GifPathFor(const std::string& shownFile, const std::string& folder) {
    if (shownFile.empty()) return {};
    const std::string name = ReplaceExtension(FileNamePart(shownFile), ".gif");
    return PathInFolder(folder, name);
}

std::string GifSavedText(const std::string& path) { return path + " に保存しました"; }

std::vector<int> FrameDelaysCs(int frameCount, int tickMs, int minimumCs) {
    std::vector<int> delays;
    long long elapsedMs = 0, shownCs = 0;
    for (int i = 0; i < frameCount; ++i) {
        elapsedMs += tickMs;
        // Round the running total, so the animation keeps the demo's pace.
        const long long due = (elapsedMs + 5) / 10;
        const int delay = static_cast<int>(std::max<long long>(due - shownCs, minimumCs));
        delays.push_back(delay);
        shownCs += delay;
    }
    return delays;
}

}  // namespace tesslor
