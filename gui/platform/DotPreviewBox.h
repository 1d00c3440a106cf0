#pragma once
// A preview of the board's dots before anything reaches the picture (the text
// editor's rows, an image being imported), drawn as LEDs two pixels a dot. A
// drag with the left button says by how many dots it moved.
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <vector>

namespace tesslor::gui {

class DotPreviewBox : public QWidget {
    Q_OBJECT
public:
    /// Pixels per dot on screen.
    static constexpr int kDotPixels = 2;

    explicit DotPreviewBox(QWidget* parent = nullptr);

    /// 480 x 80 colour codes, row-major (0 off, 1 red, 2 green, 3 yellow);
    /// any other count shows every dot off.
    void SetDots(std::vector<std::uint8_t> dots);
    const std::vector<std::uint8_t>& Dots() const { return dots_; }
    /// The board the dots are for: panel rows at enabledRows and below have
    /// no LEDs and show as the window's background; a blue line closes the
    /// first windowColumns panel columns, what the unit shows at once.
    void SetShape(int enabledRows, int windowColumns);

    QSize sizeHint() const override;

signals:
    /// The pointer moved by (dx, dy) dots with the left button held.
    void Dragged(int dx, int dy);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void DrawImage();

    std::vector<std::uint8_t> dots_;
    int enabledRows_ = 5;    ///< panel rows
    int windowColumns_ = 0;  ///< panel columns inside the blue line (0: no line)
    QImage image_;
    QPoint dragFrom_;  ///< the dot the drag last reported from
};

}  // namespace tesslor::gui
