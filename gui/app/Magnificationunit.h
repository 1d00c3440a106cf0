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
    /// From 全体表示 the steps start at the percentage it stands for.
    bool StepMagnification(int steps);
    /// 全体表示 (Ctrl+0): selects it and applies it.
    void SelectFit();
    /// Whether 全体表示 is selected.
    bool FitSelected() const;
    /// The selected entry's text ("100", "全体表示"), kept between runs.
    std::string Choice() const;
    /// Selects the entry of that text without applying it; false when the list has none.
    bool SelectChoice(const std::string& text);

    /// Called with the percentage whenever the selection is applied.
    std::function<void(int)> onMagnification;
    /// The percentage 全体表示 stands for now (the editing area's width decides).
    std::function<int()> fitMagnification;

    QLabel* Label2;
    QComboBox* MagnificationComboBox;
    QLabel* Label3;
};

}  // namespace tesslor::gui
