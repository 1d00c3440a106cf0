#pragma once
// The still-picture demo window: shows the current picture roughly as the unit
// would, still, reversed, blinking or scrolling.
#include <QDialog>
#include <QPixmap>

#include "app/WindowContext.h"
#include "led/DemoSequence.h"
#include "led/Ledhyoujiki.h"
#include "platform/MemoryImage.h"

class QLabel;
class QTimer;

namespace tesslor::gui {

class PaintBoxWidget;

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

    const DemoSequence& Sequence() const { return sequence_; }

    QLabel* Image1;
    QLabel* Image2;
    QLabel* Image3;
    PaintBoxWidget* PaintBox1;
    QTimer* Timer1;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void ApplySequence();

    LedHyoujikiClass& document_;
    DemoSequence sequence_;
};

/// A Qt pixmap of a rendered image.
QPixmap PixmapOf(const MemoryImage& image);

}  // namespace tesslor::gui
