#pragma once

#include <QWidget>

#include <functional>

class QToolButton;

namespace platform::qt {

// The step an arrow key asks of an up-down control: Left and Down step down, Right and Up step up;
// 0 for any other key.
int stepOfKey(int key);

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
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* m_left;
    QToolButton* m_right;
};

}  // namespace platform::qt
