#pragma once
// The text message editor's preview: the dots its rows would light on the
// display, drawn as LEDs two pixels a dot, before anything reaches the picture.
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <vector>

namespace tesslor::gui {

class MongonPreviewBox : public QWidget {
    Q_OBJECT
public:
    /// Pixels per dot on screen.
    static constexpr int kDotPixels = 2;

    explicit MongonPreviewBox(QWidget* parent = nullptr);

    /// 480 x 80 colour codes, row-major (0 off, 1 red, 2 green, 3 yellow);
    /// any other count shows every dot off.
    void SetDots(std::vector<std::uint8_t> dots);
    const std::vector<std::uint8_t>& Dots() const { return dots_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawImage();

    std::vector<std::uint8_t> dots_;
    QImage image_;
};

}  // namespace tesslor::gui
