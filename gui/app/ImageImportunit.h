#pragma once
// 画像の読み込み: an image (PNG, JPEG, GIF, BMP, …) shown as the board would
// show it while the operator picks colour, threshold, 反転, dithering, size
// and position; OK gives the dots to the editor.
#include <QDialog>
#include <string>

#include "led/ImageImport.h"

class QCheckBox;
class QGridLayout;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;
class QScrollArea;

namespace tesslor::gui {

class BoardPreviewBox;

class TImageImportForm : public QDialog {
    Q_OBJECT
public:
    explicit TImageImportForm(const DisplayShape& shape, QWidget* parent = nullptr);

    /// The image to place (a GIF's first frame), its file's name and how many
    /// frames the file holds; the options keep their values from last time
    /// but the position, which starts at (0, 0).
    void SetImage(RgbaImage image, const std::string& name, int frames);
    /// Lets go of the image (which may be large) once the window is done with
    /// it; the options and the dots stay.
    void ForgetImage() { preview_ = ImportPreview(); }
    /// The options as the controls show them.
    ImportOptions Options() const;
    /// The preview's magnification: dots of two pixels, the whole board in view.
    static constexpr int kPreviewMagnification = 25;
    /// The dots the preview shows: what OK gives.
    const PictureDots& Dots() const { return dots_; }

    QComboBox* ColourComboBox;   ///< 自動, 赤, 緑, 橙
    QSlider* ThresholdSlider;    ///< T, 0 to 255
    QLabel* ThresholdLabel;
    QCheckBox* InvertCheckBox;   ///< 反転
    QComboBox* DitherComboBox;   ///< なし, 規則的, 誤差拡散
    QComboBox* SizeComboBox;     ///< 原寸, 全体に合わせる
    QSpinBox* XSpinBox;
    QSpinBox* YSpinBox;
    BoardPreviewBox* PreviewBox;  ///< the dots as the editor shows them
    QScrollArea* PreviewScroll;   ///< holds the preview; scrolls on a narrow screen
    QLabel* InfoLabel;           ///< the file, its size and frames
    QPushButton* OkButton;
    QPushButton* CancelButton;
    /// 動画として読み込む…, shown for an image of several frames: the window
    /// closes with kAnimationChosen.
    QPushButton* AnimationButton;
    static constexpr int kAnimationChosen = 2;

public slots:
    /// The preview anew from the controls.
    void UpdatePreview();

private:
    void CreateControls();
    /// The options: colour, threshold, invert, dither, size and position.
    QGridLayout* OptionsGrid();
    /// The preview in its scroll area, as wide as the screen allows.
    QScrollArea* PreviewArea(QWidget* parent);
    void ConnectControls();

    DisplayShape shape_;
    ImportPreview preview_;
    PictureDots dots_;
};

}  // namespace tesslor::gui
