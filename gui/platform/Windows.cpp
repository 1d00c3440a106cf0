#include "platform/Windows.h"

#include <QGuiApplication>
#include <QScreen>

namespace tesslor::gui {

void PlaceCentred(QWidget& window, WindowSize outer, WindowSize frame) {
    window.resize(ToQSize(ClientSizeOf(outer, frame)));
    CentreOnScreen(window, outer);
}

void CentreOnScreen(QWidget& window, WindowSize outer) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        window.move(avail.center() - QPoint(outer.width / 2, outer.height / 2));
    }
}

}  // namespace tesslor::gui
