#include "led/DemoSequence.h"

namespace tesslor {

namespace {
constexpr int kBlinkMs = 1000;
constexpr int kScrollMs = 1;
// The frame and caption the window adds around its image.
constexpr int kFrameWidth = 11;
constexpr int kFrameHeight = 35;
}  // namespace

DemoWindowSize DemoWindowSizeFor(int image1Width, int image1Height) {
    return {image1Width + kFrameWidth, image1Height + kFrameHeight};
}

DemoKind DemoKindOf(int modeIndex) {
    switch (modeIndex) {
        case 1: return DemoKind::Reversed;
        case 2: return DemoKind::Blink;
        case 3: return DemoKind::BlinkReversed;
        case 4: case 5: case 6: case 7: case 8: case 9: return DemoKind::Scroll;
        default: return DemoKind::Still;
    }
}

void DemoSequence::Start(int modeIndex, int stripWidth, int scrollStep) {
    kind = DemoKindOf(modeIndex);
    stripWidth_ = stripWidth;
    scrollStep_ = scrollStep;
    image3Left = 0;
    const bool scrolling = kind == DemoKind::Scroll;
    image1Visible = !scrolling;
    image2Visible = false;
    image3Visible = scrolling;
    switch (kind) {
        case DemoKind::Still:
        case DemoKind::Reversed:
            timerEnabled = false;
            timerIntervalMs = 0;
            break;
        case DemoKind::Blink:
        case DemoKind::BlinkReversed:
            timerEnabled = true;
            timerIntervalMs = kBlinkMs;
            break;
        case DemoKind::Scroll:
            timerEnabled = true;
            timerIntervalMs = kScrollMs;
            break;
    }
}

void DemoSequence::Tick() {
    switch (kind) {
        case DemoKind::Still:
        case DemoKind::Reversed:
            timerEnabled = false;
            break;
        case DemoKind::Blink:
        case DemoKind::BlinkReversed: {
            const bool v = image1Visible;
            image1Visible = !v;
            image2Visible = v;
            break;
        }
        case DemoKind::Scroll:
            image3Left -= scrollStep_;
            if (image3Left < -stripWidth_) image3Left = 0;
            break;
    }
}

}  // namespace tesslor
