#pragma once
// The pen colour window: which colour the left mouse button draws with.
#include <QDialog>

#include "platform/WindowContext.h"
#include "led/Ledhyoujiki.h"
#include "platform/RadioGroup.h"

namespace tesslor::gui {

class TPenColorForm : public QDialog {
    Q_OBJECT
public:
    /// Reads the document's colour table and the colour setting (NanSyoku -1
    /// starts with 黄, every other setting with 赤).
    TPenColorForm(const WindowContext& context, const LedHyoujikiClass& document, QWidget* parent = nullptr);

    void FormCreate();
    void PenColorRadioGroupClick();

    /// The colour value of the selected entry.
    Rgb PenColor() const { return penColor_; }

    RadioGroup* PenColorRadioGroup;

private:
    const LedHyoujikiClass& document_;
    int nanSyoku_;
    Rgb penColor_ = kRed;
};

}  // namespace tesslor::gui
