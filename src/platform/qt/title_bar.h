#pragma once

#include <QIcon>
#include <QStyle>
#include <QWidget>

class QStyleOptionTitleBar;

namespace platform::qt {

// A title bar and frame of the program's own, drawn with the style's window frame and title bar, for a
// fixed window on a Wayland compositor that leaves decorations to its clients (weston, GNOME). Qt's
// own bar there offers maximise whatever the window's flags say; a fixed window cannot take that
// size, and is mapped afresh elsewhere. Qt's bar also keeps room for three buttons and centres the
// title, which cuts a short dialog's title. A decoration plug-in of our own would need Qt's private
// Wayland headers, which Debian does not ship; a frameless window with a bar of its own needs none.
//
// The window becomes frameless, so that Qt draws nothing, and its contents margins make room for the
// frame and the bar; the layout below the bar is the window's as before. The bar offers what the
// window's flags ask for (the program icon with the window's menu, minimise, close) and never
// maximise. Pressing the title hands the move to the compositor; double-clicking it does nothing.
class TitleBar : public QWidget {
    Q_OBJECT

public:
    // Gives `window`, a top-level widget not yet shown, a bar of its own where the window system would
    // otherwise draw one that offers maximise. Elsewhere, the X11 window manager's frame among them,
    // the window is left as it is.
    static void addWhereNeeded(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    explicit TitleBar(QWidget& window);
    int frameWidth() const;
    // The bar's rectangle in the window, inside the frame.
    QRect barRect() const;
    QStyleOptionTitleBar titleOption() const;
    QStyle::SubControl buttonAt(const QPoint& point) const;
    void showWindowMenu(const QRect& icon);
    void activate(QStyle::SubControl button);

    QWidget& m_window;
    // The buttons that the window's flags asked for.
    const Qt::WindowFlags m_buttons;
    QIcon m_icon;
    QStyle::SubControl m_pressed = QStyle::SC_None;
    bool m_pressedInside = false;
};

}  // namespace platform::qt
