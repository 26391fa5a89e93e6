#include "platform/qt/logout_inhibitor.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace platform::qt {

namespace {

const QString SessionManagerService = QStringLiteral("org.gnome.SessionManager");
const QString SessionManagerPath = QStringLiteral("/org/gnome/SessionManager");
const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString ApplicationId = QStringLiteral("org.example.velmora");
const QString Reason = QStringLiteral("Unsaved picture");
// Both services take the same flags; this one inhibits the end of the session.
constexpr std::uint32_t InhibitLogout = 1;

bool offered(QDBusConnectionInterface& bus, const QString& name) {
    return bus.isServiceRegistered(name).value() || bus.activatableServiceNames().value().contains(name);
}

}  // namespace

LogoutInhibitor::Service LogoutInhibitor::service() {
    if (m_service != Service::Unknown) return m_service;
    m_service = Service::None;
    QDBusConnection bus = QDBusConnection::sessionBus();
    QDBusConnectionInterface* names = bus.isConnected() ? bus.interface() : nullptr;
    if (names && offered(*names, SessionManagerService))
        m_service = Service::SessionManager;
    else if (names && offered(*names, PortalService))
        m_service = Service::Portal;
    return m_service;
}

void LogoutInhibitor::hold(bool wanted, std::uint32_t x11Window) {
    if (wanted == m_wanted) return;
    m_wanted = wanted;
    if (m_pending || service() == Service::None) return;
    if (wanted)
        request(x11Window);
    else
        release();
}

void LogoutInhibitor::request(std::uint32_t x11Window) {
    QDBusMessage call;
    if (service() == Service::SessionManager) {
        call = QDBusMessage::createMethodCall(SessionManagerService, SessionManagerPath, SessionManagerService,
                                              QStringLiteral("Inhibit"));
        call << ApplicationId << x11Window << Reason << InhibitLogout;
    } else {
        call = QDBusMessage::createMethodCall(
            PortalService, PortalPath, QStringLiteral("org.freedesktop.portal.Inhibit"), QStringLiteral("Inhibit"));
        const QString window = x11Window ? QStringLiteral("x11:%1").arg(x11Window, 0, 16) : QString();
        call << window << InhibitLogout << QVariantMap{{QStringLiteral("reason"), Reason}};
    }
    m_pending = true;
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* answered) {
        answered->deleteLater();
        m_pending = false;
        const QDBusMessage reply = answered->reply();
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
            const QVariant value = reply.arguments().constFirst();
            if (service() == Service::SessionManager)
                m_cookie = value.toUInt();
            else
                m_handle = qvariant_cast<QDBusObjectPath>(value).path();
        }
        // The picture may have been saved while the call was under way. A refused call is not repeated.
        if (!m_wanted) release();
    });
}

void LogoutInhibitor::release() {
    QDBusMessage call;
    if (m_cookie) {
        call = QDBusMessage::createMethodCall(SessionManagerService, SessionManagerPath, SessionManagerService,
                                              QStringLiteral("Uninhibit"));
        call << *m_cookie;
    } else if (!m_handle.isEmpty()) {
        call = QDBusMessage::createMethodCall(PortalService, m_handle, QStringLiteral("org.freedesktop.portal.Request"),
                                              QStringLiteral("Close"));
    } else {
        return;
    }
    m_cookie.reset();
    m_handle.clear();
    QDBusConnection::sessionBus().asyncCall(call);
}

}  // namespace platform::qt
