#pragma once
// Copies a form's fields to and from the window's controls, found by their
// object names: edits and drop-down lists carry text, check boxes and radio
// buttons their state. Every settings, schedule and CO2 window copies this way.
#include <functional>

#include "forms/Form.h"

class QWidget;

namespace tesslor::gui {

/// Widgets to form, before an operation. A field without a control of its
/// name keeps its value.
void CopyWidgetsToForm(const QWidget& window, FormFields& form);

/// Form to widgets, after an operation. Both buttons of a radio pair may be
/// off in the form; the buttons then show no choice.
void CopyFormToWidgets(const FormFields& form, QWidget& window);

/// Shows a modeless window, or brings it to the front.
void ShowModeless(QWidget& window);

/// A read as a window's 開く does it: read runs with the information boxes
/// held back, show puts what was read (also before a failure) on screen, and
/// only then do the boxes appear over it.
void ReadShowingValuesFirst(Prompter& prompter, const std::function<void(Prompter&)>& read,
                            const std::function<void()>& show);

}  // namespace tesslor::gui
