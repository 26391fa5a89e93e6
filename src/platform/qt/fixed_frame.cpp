#include "platform/qt/fixed_frame.h"

#include "platform/qt/title_bar.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

namespace platform::qt {

namespace {

constexpr Qt::WindowStates sizedStates = Qt::WindowMaximized | Qt::WindowFullScreen;
constexpr int remapDelayMs = 200;

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace

FixedFrame::FixedFrame(QWidget& window) : QObject(&window) {}

void FixedFrame::keep(QWidget& window) {
    window.installEventFilter(new FixedFrame(window));
    TitleBar::addWhereNeeded(window);
}

bool FixedFrame::eventFilter(QObject* watched, QEvent* event) {
    auto* window = qobject_cast<QWidget*>(watched);
    if (event->type() != QEvent::WindowStateChange || !window || !(window->windowState() & sizedStates))
        return QObject::eventFilter(watched, event);
    const Qt::WindowStates normal = window->windowState() & ~sizedStates;
    if (onWayland()) {
        // The compositor's configure is already acknowledged, and it ends the connection at the next
        // frame that is not its size; asking for the normal state gets no answer before that frame.
        // Unmapping the surface draws no such frame, and the window mapped again starts normal. The
        // window is hidden as a plain widget: hiding a dialog as a dialog would end its modal loop and
        // answer a running prompt.
        //
        // The window comes back a moment later: Qt reads the compositor's word that the unmapped
        // surface lost the keyboard only after it returns, and a window mapped again before that
        // is taken for inactive, so that its keys and shortcuts go nowhere.
        window->QWidget::setVisible(false);
        window->setWindowState(normal);
        QTimer::singleShot(remapDelayMs, window, [window] { window->QWidget::setVisible(true); });
    } else {
        window->setWindowState(normal);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace platform::qt
