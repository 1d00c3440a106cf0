#include "settings/ScreenFit.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QWidget>
#include <algorithm>

#include "platform/WindowSizes.h"

namespace tesslor::gui {

namespace {

// A scroll area that asks for the whole of its contents (a plain one asks
// for at most 36 x 24 lines), and takes much less when it must.
class FittingScrollArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        const QSize inside = widget() ? widget()->sizeHint() : QSize();
        const int frame = 2 * frameWidth();
        return inside + QSize(frame, frame);
    }
    QSize minimumSizeHint() const override {
        // Room for some fields and both scroll bars.
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        return QSize(160 + bar, 120 + bar);
    }
};

}  // namespace

QScrollArea* FieldScrollArea(QLayout* fields, QWidget* parent) {
    auto* area = new FittingScrollArea(parent);
    area->setObjectName(QStringLiteral("FieldScrollArea"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    auto* inside = new QWidget(area);
    inside->setObjectName(QStringLiteral("FieldPanel"));
    inside->setLayout(fields);
    fields->setContentsMargins(0, 0, 0, 0);
    area->setWidget(inside);
    return area;
}

void KeepOnScreen(QWidget& window) {
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    // Not adjustSize(): it keeps a window within 2/3 of the screen, and the
    // fields would scroll where the screen has room for them.
    if (!window.testAttribute(Qt::WA_Resized)) window.resize(window.sizeHint());
    const QRect room = screen->availableGeometry();
    // The window manager may not have given the frame yet: at least a usual one.
    const QRect frame = window.frameGeometry(), inner = window.geometry();
    const int frameWidth = std::max(frame.width() - inner.width(), kSizeableFrame.width);
    const int frameHeight = std::max(frame.height() - inner.height(), kSizeableFrame.height);
    const QSize fits(std::min(window.width(), room.width() - frameWidth),
                     std::min(window.height(), room.height() - frameHeight));
    if (fits != window.size()) window.resize(fits.expandedTo(window.minimumSizeHint()));
    const QRect now = window.frameGeometry();
    const int x = std::clamp(now.x(), room.left(), std::max(room.left(), room.right() + 1 - now.width()));
    const int y = std::clamp(now.y(), room.top(), std::max(room.top(), room.bottom() + 1 - now.height()));
    if (x != now.x() || y != now.y()) window.move(x, y);
}

}  // namespace tesslor::gui
