#pragma once
// The frame sequence of the still-picture demo, apart from any window: which
// of the three images shows, where the scroll strip stands and how the timer
// runs. The demo window renders the images, calls Start() when shown and Tick()
// on every timer tick, and copies the state to its controls.
#include "platform/WindowSizes.h"

namespace tesslor {

using DemoWindowSize = WindowSize;
/// The smallest client area of the demo: a display configured with no panel
/// rows or columns still gets a window that can be seen and closed.
inline constexpr DemoWindowSize kDemoMinimumClient{96, 96};
/// The demo window's client area for a normal rendering of the given size:
/// the image, but never smaller than kDemoMinimumClient.
DemoWindowSize DemoClientSizeFor(int image1Width, int image1Height);
/// The demo window's outer size (frame and caption around the client area).
DemoWindowSize DemoWindowSizeFor(int image1Width, int image1Height);
/// The scrolling modes' timer. The unit's operator knows the scroll at the
/// pace of a timer that fires about 64 times a second; a 1 ms timer taken
/// literally would send a picture across the window in a tenth of a second.
inline constexpr int kScrollTickMs = 16;
/// The blinking modes' timer: one second per phase.
inline constexpr int kBlinkTickMs = 1000;

/// What the demo shows for a display-mode index (0 標準 … 9 上段逆スクロール 下段点滅１).
enum class DemoKind { Still, Reversed, Blink, BlinkReversed, Scroll };
/// Mode indexes outside 0 to 9 show the still picture.
DemoKind DemoKindOf(int modeIndex);

class DemoSequence {
public:
    /// Starts the sequence for a display-mode index; stripWidth is the document's
    /// ScrollStripWidth() and scrollStep its ScrollStep (both used only by the
    /// scrolling modes).
    void Start(int modeIndex, int stripWidth, int scrollStep = 6);
    /// One timer tick: the still modes stop the timer, the blinking modes swap
    /// Image1 and Image2, the scrolling modes move Image3 one step left and back
    /// to 0 once it has passed -stripWidth.
    void Tick();
    /// Hiding the window stops the timer.
    void Stop() { timerEnabled = false; }

    DemoKind kind = DemoKind::Still;
    bool image1Visible = false;
    bool image2Visible = false;
    bool image3Visible = false;
    int image3Left = 0;
    bool timerEnabled = false;
    int timerIntervalMs = 0;

private:
    int stripWidth_ = 0;
    int scrollStep_ = 6;
};

}  // namespace tesslor
