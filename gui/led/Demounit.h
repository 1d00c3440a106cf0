#pragma once
// The still-picture demo window: shows the current picture roughly as the unit
// would, still, reversed, blinking or scrolling. Below the picture a strip
// holds the button that saves what the demo shows as an animated GIF.
#include <QDialog>
#include <QPixmap>
#include <vector>

#include "platform/WindowContext.h"
#include "files/GifFile.h"
#include "led/DemoSequence.h"
#include "led/Ledhyoujiki.h"
#include "platform/FileChooser.h"
#include "platform/MemoryImage.h"

class QLabel;
class QPushButton;
class QTimer;

namespace tesslor::gui {

class PaintBoxWidget;

/// The height of the strip below a demo's picture that holds its buttons.
inline constexpr int kDemoButtonStripHeight = 36;
/// The demo's client area for a picture of the given size: the picture (at
/// least kDemoMinimumClient) with the button strip below it.
QSize DemoClientWithStrip(int pictureWidth, int pictureHeight);
/// The demo's outer size (frame and caption around DemoClientWithStrip).
WindowSize DemoWindowWithStrip(int pictureWidth, int pictureHeight);

/// The strip below a demo's picture and its "GIFで保存" button (objectName
/// "GifSaveButton"), which asks for a file name and writes the frames that
/// framesToSave gives as an animated GIF; a failure is shown to the operator,
/// a success is said in the strip (objectName "GifSaveStatus").
class DemoGifSaver {
public:
    DemoGifSaver(const WindowContext& context, QDialog& form);
    /// Puts the strip below a picture of the client width, at top.
    void Place(int clientWidth, int top);
    /// Asks for the file, proposing shownFile's name with ".gif" in its
    /// folder, and writes frames; nothing happens for no frames. True when a
    /// file was written; the strip then says where.
    bool Save(const std::vector<GifFrame>& frames, const std::string& shownFile);

    QWidget* Strip;
    QPushButton* Button;
    QLabel* Status;

private:
    WindowContext context_;
    FileDialog dialog_;
};

class TDemoForm : public QDialog {
    Q_OBJECT
public:
    TDemoForm(const WindowContext& context, LedHyoujikiClass& document, QWidget* parent = nullptr);

    /// Builds the frames from the document and starts the sequence.
    void FormShow();
    /// One tick of the sequence.
    void Timer1Timer();
    /// Stops the sequence.
    void FormHide();
    /// The "GIFで保存" button: what the demo shows, written as an animated GIF.
    void GifSaveButtonClick();

    const DemoSequence& Sequence() const { return sequence_; }

    QLabel* Image1;
    QLabel* Image2;
    QLabel* Image3;
    PaintBoxWidget* PaintBox1;
    QTimer* Timer1;
    QPushButton* GifSaveButton;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void ApplySequence();

    LedHyoujikiClass& document_;
    DemoSequence sequence_;
    DemoGifSaver gifSaver_;
};

/// A Qt pixmap of a rendered image.
QPixmap PixmapOf(const MemoryImage& image);

}  // namespace tesslor::gui
