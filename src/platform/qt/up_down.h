#pragma once

#include <QWidget>

#include <functional>

class QToolButton;

namespace platform::qt {

// The up-down control with horizontal arrows: two small arrow buttons side by side. It holds no
// position of its own; each click asks for one step down (left) or up (right).
class UpDown : public QWidget {
    Q_OBJECT

public:
    explicit UpDown(QWidget* parent);

    QToolButton* leftArrow() const { return m_left; }
    QToolButton* rightArrow() const { return m_right; }

    std::function<void(int delta)> onStep;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* m_left;
    QToolButton* m_right;
};

}  // namespace platform::qt
