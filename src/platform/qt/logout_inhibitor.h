#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>

namespace platform::qt {

// A logout inhibitor on the session bus: GNOME's session manager where it runs, else the desktop
// portal's. With no session bus, or neither service on it, holding one does nothing. Calls never wait
// for their answer, so a slow service cannot hold the window.
class LogoutInhibitor : public QObject {
    Q_OBJECT

public:
    LogoutInhibitor() = default;

    // Asks for the inhibitor or gives it back; the window's id tells the desktop whose it is.
    void hold(bool wanted, std::uint32_t x11Window);

private:
    enum class Service { Unknown, None, SessionManager, Portal };
    Service service();
    void request(std::uint32_t x11Window);
    void release();

    Service m_service = Service::Unknown;
    bool m_wanted = false;
    bool m_pending = false;
    // What the service gave for the inhibitor held now: a cookie, or a request object's path.
    std::optional<std::uint32_t> m_cookie;
    QString m_handle;
};

}  // namespace platform::qt
