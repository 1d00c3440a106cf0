#pragma once
// Sizing and placing windows by the outer sizes they are specified with.
#include <QSize>
#include <QWidget>

#include "platform/WindowSizes.h"

namespace tesslor::gui {

inline QSize ToQSize(WindowSize s) { return QSize(s.width, s.height); }

/// Gives the window the client area of the outer size within the frame, and
/// centres that outer size on the screen's available area.
void PlaceCentred(QWidget& window, WindowSize outer, WindowSize frame);

/// Centres a window of the given outer size on the screen's available area.
void CentreOnScreen(QWidget& window, WindowSize outer);

}  // namespace tesslor::gui
