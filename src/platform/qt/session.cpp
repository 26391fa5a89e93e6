#include "platform/qt/session.h"

#include "platform/qt/main_window.h"
#include "platform/window_input.h"

#include <QApplication>
#include <QSessionManager>

namespace platform::qt {

Session::Session(QApplication& application, MainWindow& window, platform::WindowInput& input)
    : m_window(window), m_input(input) {
    // A session may be saved with or without the program's data, so both requests say it.
    connect(&application, &QGuiApplication::saveStateRequest, this,
            [](QSessionManager& manager) { manager.setRestartHint(QSessionManager::RestartNever); });
    connect(&application, &QGuiApplication::commitDataRequest, this, &Session::commitData);
    m_window.afterEachHandler = [this] { follow(); };
}

// The logout closes the window the way the title bar does, so it meets the "Save changes?" prompt; if
// the window stays (Cancel, or Yes and a save that failed or was cancelled), so does the session. The
// prompt waits for the session manager's leave to interact; without it the program does not ask here,
// and the session's end reaches the prompt when it tells the program to quit.
void Session::commitData(QSessionManager& manager) {
    manager.setRestartHint(QSessionManager::RestartNever);
    if (!m_input.state().unsaved || !manager.allowsInteraction()) return;
    // Qt ends the interaction once this returns, telling the session manager whether to cancel.
    if (!m_window.close()) manager.cancel();
}

void Session::follow() {
    const bool onX11 = QGuiApplication::platformName() == QStringLiteral("xcb");
    m_inhibitor.hold(m_input.state().unsaved, onX11 ? static_cast<std::uint32_t>(m_window.winId()) : 0);
}

}  // namespace platform::qt
