#include "platform/qt/up_down.h"

#include <QToolButton>

namespace platform::qt {

UpDown::UpDown(QWidget* parent) : QWidget(parent), m_left(new QToolButton(this)), m_right(new QToolButton(this)) {
    m_left->setArrowType(Qt::LeftArrow);
    m_right->setArrowType(Qt::RightArrow);
    for (QToolButton* arrow : {m_left, m_right}) {
        arrow->setFocusPolicy(Qt::NoFocus);
        // Holding an arrow down steps again and again, as the classic control does.
        arrow->setAutoRepeat(true);
    }
    connect(m_left, &QToolButton::clicked, this, [this] {
        if (onStep) onStep(-1);
    });
    connect(m_right, &QToolButton::clicked, this, [this] {
        if (onStep) onStep(+1);
    });
}

void UpDown::resizeEvent(QResizeEvent*) {
    const int half = width() / 2;
    m_left->setGeometry(0, 0, half, height());
    m_right->setGeometry(half, 0, width() - half, height());
}

}  // namespace platform::qt
