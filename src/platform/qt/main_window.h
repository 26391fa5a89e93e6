#pragma once

#include "platform/qt/form_widgets.h"
#include "platform/qt/menus.h"
#include "platform/window_input.h"

#include <QMainWindow>

#include <functional>
#include <memory>

namespace platform::qt {

class HostStyle;

// The client area below the menu bar: the form's controls live here, and its paint runs the form's
// paint handler over the silver background.
class ClientArea : public QWidget {
    Q_OBJECT

public:
    ClientArea(platform::WindowInput& input, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    platform::WindowInput& m_input;
};

// The real main window, built once from the program's form and menus. Data flows one way: a widget
// event goes to the program's input (and so through the dispatcher); afterHandler() then copies the
// form's state into the widgets.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(platform::WindowInput& input);
    ~MainWindow() override;

    ClientArea* client() const { return m_client; }
    const FormWidgets& widgets() const { return *m_widgets; }
    const Menus& menus() const { return *m_menus; }

    // Brings every widget up to date after a handler, and closes the window for good once the form
    // has closed.
    void afterHandler();

    // Runs after each handler, once the widgets are up to date.
    std::function<void()> afterEachHandler;

    // Opens a file handed to the program as it starts, as File > Open opens a chosen one.
    void openHandedFile(const std::string& path);

    // Placed on the screen before it is first shown.
    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void connectControls();
    void connectView();
    void syncFocus(const platform::WindowState& state);
    void centreOnScreen();

    platform::WindowInput& m_input;
    HostStyle* m_style;
    ClientArea* m_client;
    std::unique_ptr<FormWidgets> m_widgets;
    std::unique_ptr<Menus> m_menus;
    // The caption last shown in the title bar.
    std::string m_caption;
    int m_focusRequests = 0;
    bool m_centred = false;
    bool m_closedForGood = false;
    bool m_dropTaken = false;
};

}  // namespace platform::qt
