#pragma once

#include "platform/qt/clipboard.h"
#include "platform/qt/file_dialogs.h"
#include "platform/qt/help_viewer.h"
#include "platform/qt/message_boxes.h"
#include "platform/qt/modal_host.h"
#include "platform/services.h"

#include <QPointer>
#include <QWidget>

namespace platform::qt {

// The main window's frame as the window system placed it. Until a window is attached it reports
// nothing useful: the form is created before its window exists.
class QtWindowFrame : public platform::WindowFrame {
public:
    void attach(QWidget* window, QWidget* client) {
        m_window = window;
        m_client = client;
    }
    platform::Size outerSize() override;
    platform::Point clientToScreen(platform::Point client) override;

private:
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_client;
};

// Every Qt service the program needs, bar file access, which needs no Qt. The form is created with
// them before its window exists; attach() hands them the window once it does.
class QtServices {
public:
    explicit QtServices(platform::FileSystem& files);

    void attach(QWidget* window, QWidget* client);
    platform::Services& services() { return m_services; }

    QtMessageBoxes messages;
    QtErrorDisplay errors{messages};
    QtFileDialogs dialogs;
    QtClipboard clipboard;
    QtHelpViewer help;
    QtWindowFrame frame;
    QtModalHost modal;

private:
    platform::Services m_services;
};

}  // namespace platform::qt
