#include "platform/qt/up_down.h"

#include "platform/qt/focus_marker.h"

#include <QKeyEvent>
#include <QPainter>
#include <QToolButton>

namespace platform::qt {

namespace {

// An arrow button that draws its share of the whole control's focus marker, since the two arrows
// cover the control entirely.
class ArrowButton : public QToolButton {
public:
    ArrowButton(Qt::ArrowType arrow, QWidget* control) : QToolButton(control) { setArrowType(arrow); }

protected:
    void paintEvent(QPaintEvent* event) override {
        QToolButton::paintEvent(event);
        if (!parentWidget()->hasFocus()) return;
        QPainter painter(this);
        drawFocusMarker(painter, parentWidget()->rect().translated(-pos()));
    }
};

}  // namespace

int stepOfKey(int key) {
    switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Down:
            return -1;
        case Qt::Key_Right:
        case Qt::Key_Up:
            return +1;
        default:
            return 0;
    }
}

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), m_left(new ArrowButton(Qt::LeftArrow, this)), m_right(new ArrowButton(Qt::RightArrow, this)) {
    for (QToolButton* arrow : {m_left, m_right}) {
        arrow->setFocusPolicy(Qt::NoFocus);
        // Holding an arrow down steps again and again, as the classic control does.
        arrow->setAutoRepeat(true);
    }
    m_left->setAccessibleName(QStringLiteral("Step down"));
    m_left->setAccessibleDescription(QStringLiteral("Left arrow"));
    m_right->setAccessibleName(QStringLiteral("Step up"));
    m_right->setAccessibleDescription(QStringLiteral("Right arrow"));
    // Tab reaches the control as a whole; the arrow keys step it as the arrow buttons do.
    setFocusPolicy(Qt::TabFocus);
    connect(m_left, &QToolButton::clicked, this, [this] {
        if (onStep) onStep(-1);
    });
    connect(m_right, &QToolButton::clicked, this, [this] {
        if (onStep) onStep(+1);
    });
}

void UpDown::keyPressEvent(QKeyEvent* event) {
    const int delta = stepOfKey(event->key());
    if (delta == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (onStep) onStep(delta);
}

void UpDown::focusInEvent(QFocusEvent*) {
    m_left->update();
    m_right->update();
}

void UpDown::focusOutEvent(QFocusEvent*) {
    m_left->update();
    m_right->update();
}

void UpDown::resizeEvent(QResizeEvent*) {
    const int half = width() / 2;
    m_left->setGeometry(0, 0, half, height());
    m_right->setGeometry(half, 0, width() - half, height());
}

}  // namespace platform::qt
