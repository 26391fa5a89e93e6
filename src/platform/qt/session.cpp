#include "platform/qt/session.h"

#include "platform/qt/main_window.h"
#include "platform/window_input.h"

#include <QApplication>
#include <QSessionManager>

namespace platform::qt {

Session::Session(QApplication& application, MainWindow& window, platform::WindowInput& input)
    : m_window(window), m_input(input) {
    connect(&application, &QGuiApplication::saveStateRequest, this,
            [](QSessionManager& manager) { manager.setRestartHint(QSessionManager::RestartNever); });
    connect(&application, &QGuiApplication::commitDataRequest, this, &Session::commitData);
    m_window.afterEachHandler = [this] { follow(); };
}

void Session::commitData(QSessionManager&) {}

void Session::follow() {
    const bool onX11 = QGuiApplication::platformName() == QStringLiteral("xcb");
    m_inhibitor.hold(m_input.state().unsaved, onX11 ? static_cast<std::uint32_t>(m_window.winId()) : 0);
}

}  // namespace platform::qt
