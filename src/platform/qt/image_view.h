#pragma once

#include "platform/controls.h"
#include "platform/input.h"

#include <QImage>
#include <QWidget>

#include <functional>

namespace platform::qt {

// Shows an image control's bitmap, stretched to the widget when the control stretches (the view: each
// pixel a crisp 6 x 6 block) or at 1:1 (the preview). It keeps a copy of what it last showed, so that
// after a handler only the rectangle of pixels that changed is repainted.
class ImageView : public QWidget {
    Q_OBJECT

public:
    ImageView(platform::Image& image, QWidget* parent);

    // Compares the part of the bitmap it marks as written with what is on screen and schedules a
    // repaint of the pixels that changed only; answers that area of the widget, empty when none.
    // Qt merges the scheduled rectangles into one paint, so a fast pointer never queues work.
    QRect refresh();

    std::function<void(platform::MouseButton, platform::ShiftState, int, int)> onPress;
    std::function<void(platform::ShiftState, int, int)> onMove;
    std::function<void(platform::MouseButton, platform::ShiftState, int, int)> onRelease;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // How many widget units one bitmap pixel takes across and down.
    QSizeF scale() const;
    QRect toWidget(const QRect& pixels) const;

    platform::Image& m_image;
    // What the widget shows, one pixel per bitmap pixel.
    QImage m_shown;
};

}  // namespace platform::qt
