#include "platform/qt/services.h"

namespace platform::qt {

platform::Size QtWindowFrame::outerSize() {
    if (!m_window) return {};
    const QRect frame = m_window->frameGeometry();
    return {frame.width(), frame.height()};
}

platform::Point QtWindowFrame::clientToScreen(platform::Point client) {
    if (!m_client) return client;
    const QPoint screen = m_client->mapToGlobal(QPoint(client.x, client.y));
    return {screen.x(), screen.y()};
}

QtServices::QtServices(platform::FileSystem& files)
    : m_services{messages, errors, dialogs, clipboard, help, files, frame, modal} {}

void QtServices::attach(QWidget* window, QWidget* client) {
    messages.setOwner(window);
    dialogs.setOwner(window);
    help.setOwner(window);
    modal.setOwner(window);
    frame.attach(window, client);
}

}  // namespace platform::qt
