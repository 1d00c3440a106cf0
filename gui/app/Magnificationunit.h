#pragma once
// The magnification window: how large the editing area draws the dots.
#include <QDialog>
#include <functional>

#include "platform/WindowContext.h"

class QComboBox;
class QLabel;

namespace tesslor::gui {

class TMagnificationForm : public QDialog {
    Q_OBJECT
public:
    explicit TMagnificationForm(const WindowContext& context, QWidget* parent = nullptr);

    /// Lays the editing area out at the selected percentage (through onMagnification).
    void MagnificationComboBoxChange();
    /// The selected percentage (100 when the text holds no number).
    int Magnification() const;
    /// Moves the selection by steps entries (clamped to the list) and applies it,
    /// the same path as choosing from the list. False when nothing changed.
    bool StepMagnification(int steps);

    /// Called with the percentage whenever the selection is applied.
    std::function<void(int)> onMagnification;

    QLabel* Label2;
    QComboBox* MagnificationComboBox;
    QLabel* Label3;
};

}  // namespace tesslor::gui
