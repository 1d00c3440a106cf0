#pragma once
// Maker and settings windows on a small screen: their fields scroll where the
// screen is too small to show them whole (1024 x 768 is the smallest the
// operators' computers have), while the window's buttons stay in view.
class QLayout;
class QScrollArea;
class QWidget;

namespace tesslor::gui {

/// The fields in a frameless scroll area. Where the screen has room the
/// window is as large as the fields ask and nothing scrolls; the area itself
/// may shrink to a few rows, so the window fits any screen.
QScrollArea* FieldScrollArea(QLayout* fields, QWidget* parent);

/// Keeps a window within the available area of its screen: no larger than
/// it, frame included, and moved in where it stood out. A window never sized
/// first gets the size its contents ask for.
void KeepOnScreen(QWidget& window);

}  // namespace tesslor::gui
