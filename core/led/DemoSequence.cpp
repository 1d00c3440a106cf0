#include "led/DemoSequence.h"

#include <algorithm>

namespace tesslor {

DemoWindowSize DemoClientSizeFor(int image1Width, int image1Height) {
    return {std::max(image1Width, kDemoMinimumClient.width), std::max(image1Height, kDemoMinimumClient.height)};
}

DemoWindowSize DemoWindowSizeFor(int image1Width, int image1Height) {
    return OuterSizeOf(DemoClientSizeFor(image1Width, image1Height), kFixedDialogFrame);
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
            timerIntervalMs = kBlinkTickMs;
            break;
        case DemoKind::Scroll:
            timerEnabled = true;
            timerIntervalMs = kScrollTickMs;
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
