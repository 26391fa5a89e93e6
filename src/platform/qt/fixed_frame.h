#pragma once

#include <QObject>

class QWidget;

namespace platform::qt {

// Keeps a window of fixed size out of the maximised and full-screen states, whatever the window system
// asks. The frame offers no maximise, but a compositor may still send the state (weston's
// Super+Shift+M, or the maximise button that Qt's own Wayland title bar draws anyway), and a fixed
// window cannot take the size that comes with it.
class FixedFrame : public QObject {
    Q_OBJECT

public:
    // Watches `window`, a top-level widget not yet shown whose minimum and maximum size are the same,
    // and gives it a title bar without maximise where the window system would draw one with it.
    static void keep(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FixedFrame(QWidget& window);
};

}  // namespace platform::qt
