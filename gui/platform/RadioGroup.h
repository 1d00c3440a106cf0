#pragma once
// A captioned group of radio buttons in columns with one selected index, as the
// editor's colour choices are: selecting an entry, by the operator or by the
// program, runs the click handler when the selection changes.
#include <QButtonGroup>
#include <QRadioButton>
#include <QGroupBox>
#include <QStringList>
#include <functional>
#include <vector>

namespace tesslor::gui {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, int columns, QWidget* parent = nullptr);

    void SetItems(const QStringList& items);
    int ItemIndex() const { return index_; }
    /// Selects entry i (-1 for none); runs onClick when the selection changed.
    void SetItemIndex(int i);
    int Count() const { return static_cast<int>(buttons_.size()); }
    /// The button of entry i, for tests and layout.
    QRadioButton* Button(int i) const;

    std::function<void()> onClick;

private:
    int columns_;
    int index_ = -1;
    QButtonGroup group_;
    std::vector<QRadioButton*> buttons_;
};

}  // namespace tesslor::gui
