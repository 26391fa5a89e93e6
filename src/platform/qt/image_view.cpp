#include "platform/qt/image_view.h"

#include "platform/qt/convert.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace platform::qt {

namespace {

// The bounding rectangle of the pixels within `area` in which the bitmap and the image differ; empty
// when none do.
QRect changedPixels(const raster::Bitmap& bitmap, const QImage& shown, const platform::Rect& area) {
    int left = area.right, top = area.bottom, right = -1, bottom = -1;
    for (int y = area.top; y < area.bottom; ++y) {
        const raster::Color* now = bitmap.row(y);
        const auto* before = reinterpret_cast<const QRgb*>(shown.constScanLine(y));
        for (int x = area.left; x < area.right; ++x) {
            if ((0xFF000000u | now[x]) == before[x]) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// The screen pixel that holds the pointer, which a touchpad or a fractional scale places between
// whole pixels: rounding would hand a point in the right half of a pixel to its neighbour, and so a
// point near a block's edge to the next block. Qt 6.4 rounds a widget's position on its way from the
// window; the position in the window keeps the fraction, and a widget lies a whole number of pixels
// into its window, so the fraction the rounding took is put back first.
QPoint pixelAt(const QMouseEvent& event) {
    QPointF at = event.position();
    if (at == QPointF(at.toPoint())) {
        const QPointF inWindow = event.scenePosition();
        at += inWindow - QPointF(inWindow.toPoint());
    }
    return QPoint(int(std::floor(at.x())), int(std::floor(at.y())));
}

}  // namespace

ImageView::ImageView(platform::Image& image, QWidget* parent) : QWidget(parent), m_image(image) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_image.picture.takeChanged();
    m_shown = toQImage(m_image.picture);
}

QSizeF ImageView::scale() const {
    if (!m_image.stretch || m_shown.isNull()) return {1.0, 1.0};
    return {double(width()) / m_shown.width(), double(height()) / m_shown.height()};
}

QRect ImageView::toWidget(const QRect& pixels) const {
    const QSizeF factor = scale();
    const int left = int(std::floor(pixels.left() * factor.width()));
    const int top = int(std::floor(pixels.top() * factor.height()));
    const int right = int(std::ceil((pixels.right() + 1) * factor.width()));
    const int bottom = int(std::ceil((pixels.bottom() + 1) * factor.height()));
    return QRect(left, top, right - left, bottom - top);
}

QRect ImageView::refresh() {
    // Only the part the bitmap marks as written can differ from what is shown.
    const platform::Rect written = m_image.picture.takeChanged();
    const raster::Bitmap& bitmap = m_image.picture;
    if (bitmap.width() != m_shown.width() || bitmap.height() != m_shown.height()) {
        m_shown = toQImage(bitmap);
        update();
        return rect();
    }
    if (written.left >= written.right) return {};
    const QRect changed = changedPixels(bitmap, m_shown, written);
    if (changed.isEmpty()) return {};
    for (int y = changed.top(); y <= changed.bottom(); ++y) {
        auto* target = reinterpret_cast<QRgb*>(m_shown.scanLine(y));
        for (int x = changed.left(); x <= changed.right(); ++x) target[x] = 0xFF000000u | bitmap.row(y)[x];
    }
    const QRect area = toWidget(changed);
    update(area);
    return area;
}

void ImageView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Without smoothing Qt scales by nearest neighbour, so every pixel stays one uniform block; the
    // blocks are whole device pixels at ratios 1, 1.5 and 2 because 6 x 1.5 is whole too.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.fillRect(event->rect(), Qt::white);
    if (m_shown.isNull()) return;
    const QSizeF factor = scale();
    const QRectF exposed = event->rect();
    const QRect pixels = QRectF(exposed.left() / factor.width(), exposed.top() / factor.height(),
                                exposed.width() / factor.width(), exposed.height() / factor.height())
                             .toAlignedRect()
                             .intersected(m_shown.rect());
    if (pixels.isEmpty()) return;
    const QRectF target(pixels.left() * factor.width(), pixels.top() * factor.height(), pixels.width() * factor.width(),
                        pixels.height() * factor.height());
    painter.drawImage(target, m_shown, QRectF(pixels));
}

void ImageView::mousePressEvent(QMouseEvent* event) {
    const auto button = mouseButton(event->button());
    if (!button || !onPress) return;
    const QPoint at = pixelAt(*event);
    onPress(*button, shiftState(event->buttons(), event->modifiers()), at.x(), at.y());
}

void ImageView::mouseMoveEvent(QMouseEvent* event) {
    if (!onMove) return;
    const QPoint at = pixelAt(*event);
    onMove(shiftState(event->buttons(), event->modifiers()), at.x(), at.y());
}

void ImageView::mouseReleaseEvent(QMouseEvent* event) {
    const auto button = mouseButton(event->button());
    if (!button || !onRelease) return;
    const QPoint at = pixelAt(*event);
    onRelease(*button, shiftState(event->buttons(), event->modifiers()), at.x(), at.y());
}

}  // namespace platform::qt
