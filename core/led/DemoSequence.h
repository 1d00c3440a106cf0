#pragma once
// The frame sequence of the still-picture demo, apart from any window: which
// of the three images shows, where the scroll strip stands and how the timer
// runs. The demo window renders the images, calls Start() when shown and Tick()
// on every timer tick, and copies the state to its controls.
namespace tesslor {

/// The demo window's outer size for a normal rendering of the given size.
struct DemoWindowSize {
    int width = 0, height = 0;
};
DemoWindowSize DemoWindowSizeFor(int image1Width, int image1Height);

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
