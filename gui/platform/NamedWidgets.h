#pragma once
// Controls created with their names, as every window creates them: the name
// is the control's objectName, by which tests and readers find it.
#include <QPushButton>
#include <QString>

namespace tesslor::gui {

/// A push button named name with the caption text. It never becomes the
/// default button by focus: Enter in an edit must not press 書込み or 保存.
inline QPushButton* NamedButton(const char* name, const char* text, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

}  // namespace tesslor::gui
