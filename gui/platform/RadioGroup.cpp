#include "platform/RadioGroup.h"

#include <QGridLayout>
#include <QRadioButton>

namespace tesslor::gui {

RadioGroup::RadioGroup(const QString& caption, int columns, QWidget* parent)
    : QGroupBox(caption, parent), columns_(columns < 1 ? 1 : columns) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(0);
    group_.setExclusive(true);
    connect(&group_, &QButtonGroup::idClicked, this, [this](int id) { SetItemIndex(id); });
}

void RadioGroup::SetItems(const QStringList& items) {
    for (auto* b : buttons_) {
        group_.removeButton(b);
        delete b;
    }
    buttons_.clear();
    index_ = -1;
    auto* grid = static_cast<QGridLayout*>(layout());
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        b->setObjectName(objectName() + QStringLiteral("Item%1").arg(i));
        group_.addButton(b, i);
        grid->addWidget(b, i / columns_, i % columns_);
        buttons_.push_back(b);
    }
}

QRadioButton* RadioGroup::Button(int i) const {
    if (i < 0 || i >= Count()) return nullptr;
    return buttons_[static_cast<std::size_t>(i)];
}

void RadioGroup::SetItemIndex(int i) {
    if (i < -1 || i >= Count()) return;
    if (i >= 0 && !buttons_[static_cast<std::size_t>(i)]->isChecked()) {
        buttons_[static_cast<std::size_t>(i)]->setChecked(true);
    } else if (i < 0) {
        group_.setExclusive(false);
        for (auto* b : buttons_) b->setChecked(false);
        group_.setExclusive(true);
    }
    if (i == index_) return;
    index_ = i;
    if (onClick) onClick();
}

}  // namespace tesslor::gui
