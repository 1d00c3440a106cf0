#pragma once
// The animation demo window: plays the frames the main window captured from an
// animation list, ten a second, in a loop until it is closed (Escape closes it).
// The frames are rendered once, before the window is shown; playing only
// switches which image is visible. Below the frames a strip holds the button
// that saves them as an animated GIF.
#include <QDialog>
#include <vector>

#include "platform/WindowContext.h"
#include "led/Demounit.h"
#include "makers/AnimationList.h"
#include "platform/MemoryImage.h"

class QLabel;
class QPushButton;
class QTimer;

namespace tesslor::gui {

class PaintBoxWidget;

class TAnimaDemoForm : public QDialog {
    Q_OBJECT
public:
    explicit TAnimaDemoForm(const WindowContext& context, QWidget* parent = nullptr);

    /// Every image hidden and empty; no frames.
    void ClearFrames();
    /// Frame i (0 to kMaxDemoFrames - 1) becomes image; the window takes its
    /// size; the frame count becomes i + 1.
    void CaptureFrame(int i, const MemoryImage& image);
    /// ClearFrames, then CaptureFrame for each of the first kMaxDemoFrames images.
    void SetFrames(const std::vector<MemoryImage>& frames);

    /// Frame 0 on show, the timer started.
    void FormShow();
    /// One tick: the next frame, back to 0 after the last.
    void Timer1Timer();
    /// The timer stopped.
    void FormHide();
    /// The list the frames come from; GIFで保存 proposes its name with ".gif".
    void SetListFile(const std::string& path) { listFile_ = path; }
    /// The "GIFで保存" button: the captured frames as an animated GIF, 100 ms each.
    void GifSaveButtonClick();
    /// The captured frames as the window shows them (all of the last frame's size).
    std::vector<MemoryImage> CapturedPictures() const;

    int FrameCount() const { return sequence_.FrameCount; }
    const AnimaDemoSequence& Sequence() const { return sequence_; }
    /// Image1 to Image30 in this order.
    QLabel* FrameImage(int i) const { return frameImages_[static_cast<std::size_t>(i)]; }

    QLabel* Image1;
    QLabel* Image2;
    QLabel* Image3;
    QLabel* Image4;
    QLabel* Image5;
    QLabel* Image6;
    QLabel* Image7;
    QLabel* Image8;
    QLabel* Image9;
    QLabel* Image10;
    QLabel* Image11;
    QLabel* Image12;
    QLabel* Image13;
    QLabel* Image14;
    QLabel* Image15;
    QLabel* Image16;
    QLabel* Image17;
    QLabel* Image18;
    QLabel* Image19;
    QLabel* Image20;
    QLabel* Image21;
    QLabel* Image22;
    QLabel* Image23;
    QLabel* Image24;
    QLabel* Image25;
    QLabel* Image26;
    QLabel* Image27;
    QLabel* Image28;
    QLabel* Image29;
    QLabel* Image30;
    /// The layout target that gives the dots the demo's size; never shown.
    PaintBoxWidget* PaintBox1;
    QTimer* Timer1;
    QPushButton* GifSaveButton;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void ShowCurrentFrame(bool visible);

    std::vector<QLabel*> frameImages_;
    /// The images of frames 0 to frameCount - 1, as captured.
    std::vector<MemoryImage> pictures_;
    AnimaDemoSequence sequence_;
    DemoGifSaver gifSaver_;
    std::string listFile_;
};

}  // namespace tesslor::gui
