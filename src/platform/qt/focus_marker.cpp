#include "platform/qt/focus_marker.h"

#include <QPainter>

namespace platform::qt {

void drawFocusMarker(QPainter& painter, const QRect& rect) {
    const QRect inside = rect.adjusted(1, 1, -2, -2);
    painter.save();
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(inside);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(inside);
    painter.restore();
}

}  // namespace platform::qt
