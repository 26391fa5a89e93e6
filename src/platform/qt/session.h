#pragma once

#include "platform/qt/logout_inhibitor.h"

#include <QObject>

class QApplication;
class QSessionManager;
namespace platform {
class WindowInput;
}

namespace platform::qt {

class MainWindow;

// The program and the desktop's session. A logout reaches the "Save changes?" prompt through the
// session manager, and one the person cancels there, or whose save fails, cancels the logout. The
// program keeps no state, so it asks not to be started again at the next login, where it would come
// up empty. Where the desktop takes a logout inhibitor, one is held exactly while the picture has
// unsaved changes, since a desktop without a session manager of the X11 kind has no other way to ask.
class Session : public QObject {
    Q_OBJECT

public:
    Session(QApplication& application, MainWindow& window, platform::WindowInput& input);

private:
    void commitData(QSessionManager& manager);
    void follow();

    MainWindow& m_window;
    platform::WindowInput& m_input;
    LogoutInhibitor m_inhibitor;
};

}  // namespace platform::qt
