#pragma once
// Copies a form's fields to and from the window's controls, found by their
// object names: edits and drop-down lists carry text, check boxes and radio
// buttons their state. Every settings, schedule and CO2 window copies this way.
#include "files/Form.h"

class QWidget;

namespace tesslor::gui {

/// Widgets to form, before an operation. A field without a control of its
/// name keeps its value.
void CopyWidgetsToForm(const QWidget& window, FormFields& form);

/// Form to widgets, after an operation. Both buttons of a radio pair may be
/// off in the form; the buttons then show no choice.
void CopyFormToWidgets(const FormFields& form, QWidget& window);

}  // namespace tesslor::gui
