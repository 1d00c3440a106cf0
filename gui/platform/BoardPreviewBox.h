#pragma once
// A picture shown exactly as the editor shows it (the same document drawn by
// the same surface: round LEDs, panel frames, labels, the blue line round the
// unit's window, no panels where the board has none) before it reaches the
// editor; a drag with the left button says by how many dots it moved.
#include <QPoint>
#include <memory>

#include "led/Ledhyoujiki.h"
#include "led/PictureDots.h"
#include "platform/PaintBoxWidget.h"

namespace tesslor::gui {

class BoardPreviewBox : public PaintBoxWidget {
    Q_OBJECT
public:
    /// The board of shape laid out at magnification (percent, as the editor's).
    BoardPreviewBox(const DisplayShape& shape, int magnification, QWidget* parent = nullptr);
    ~BoardPreviewBox() override;

    /// The dots shown (dots of rows the board lacks stay dark, as in the editor).
    void SetDots(const PictureDots& dots);
    PictureDots Dots() const;
    /// The document drawn here (its layout tells where each dot lies).
    const LedHyoujikiClass& Board() const { return *board_; }

signals:
    /// The pointer moved by (dx, dy) dots with the left button held.
    void Dragged(int dx, int dy);

private:
    /// The dot under surface pixel at, counted on past the picture's edges.
    QPoint DotUnder(QPoint at) const;

    std::unique_ptr<LedHyoujikiClass> board_;
    QPoint dragFrom_;
};

}  // namespace tesslor::gui
