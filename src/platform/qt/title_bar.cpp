#include "platform/qt/title_bar.h"

#include "platform/qt/convert.h"
#include "platform/qt/resources.h"
#include "platform/qt/server_decorations.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOption>
#include <QWindow>

#include <algorithm>

namespace platform::qt {

namespace {

// The program icon is drawn for 16 pixels and for twice that, so that it stays crisp in a bar of the
// classic height at scale 1 and 2.
constexpr int iconSize = 16;
constexpr int buttonMargin = 2;

constexpr Qt::WindowFlags barButtons =
    Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
constexpr Qt::WindowFlags decorationHints =
    Qt::CustomizeWindowHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint;

bool needsOwnBar() {
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return false;
    static const bool undecorated = !compositorOffersServerDecorations();
    return undecorated;
}

// The classic caption colours: navy with white text while the window is active, grey with silver
// text when it is not, each one solid so that the bar is the same at every scale.
QPalette captionPalette(QPalette palette) {
    palette.setColor(QPalette::Active, QPalette::Base, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Active, QPalette::HighlightedText, Qt::white);
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::Base})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Inactive, QPalette::Dark));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Inactive, QPalette::Window));
    return palette;
}

}  // namespace

void TitleBar::addWhereNeeded(QWidget& window) {
    // The window owns the bar as its child.
    if (needsOwnBar()) new TitleBar(window);
}

TitleBar::TitleBar(QWidget& window) : QWidget(&window), m_window(window), m_buttons(window.windowFlags() & barButtons) {
    loadResources();
    m_icon.addFile(picturePath("velmora-16"));
    m_icon.addFile(picturePath("velmora-32"));
    setFont(QApplication::font("QMdiSubWindowTitleBar"));
    setPalette(captionPalette(palette()));
    // Qt takes any button hint for a wish for a frame, so the buttons are the bar's alone.
    window.setWindowFlags((window.windowFlags() & ~(barButtons | decorationHints)) | Qt::FramelessWindowHint);
    const int frame = frameWidth();
    window.setContentsMargins(frame, frame + barRect().height(), frame, frame);
    setGeometry(window.rect());
    // Below every control of the window: the bar paints only the frame and itself.
    lower();
    window.installEventFilter(this);
}

int TitleBar::frameWidth() const {
    return style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
}

QRect TitleBar::barRect() const {
    const int frame = frameWidth();
    QStyleOptionTitleBar option;
    option.initFrom(this);
    option.titleBarFlags = m_buttons | Qt::Window;
    const int height =
        std::max(style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, this), iconSize + 2 * buttonMargin);
    return QRect(frame, frame, width() - 2 * frame, height);
}

QStyleOptionTitleBar TitleBar::titleOption() const {
    QStyleOptionTitleBar option;
    option.initFrom(this);
    option.rect = barRect();
    option.icon = m_icon;
    option.titleBarFlags = m_buttons | Qt::Window;
    option.titleBarState = static_cast<int>(m_window.windowState());
    option.subControls = QStyle::SC_All;
    if (m_window.isActiveWindow()) {
        option.state |= QStyle::State_Active;
        option.titleBarState |= QStyle::State_Active;
        option.palette.setCurrentColorGroup(QPalette::Active);
    } else {
        option.state &= ~QStyle::State_Active;
        option.palette.setCurrentColorGroup(QPalette::Inactive);
    }
    if (m_pressed != QStyle::SC_None && m_pressedInside) {
        option.activeSubControls = m_pressed;
        option.state |= QStyle::State_Sunken;
    }
    // The style draws the text as given; a title longer than the room ends in an ellipsis, never in
    // a cut letter.
    const QRect label = style()->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel, this);
    option.text = fontMetrics().elidedText(m_window.windowTitle(), Qt::ElideRight, label.width() - 2);
    return option;
}

void TitleBar::paintEvent(QPaintEvent* event) {
    // The window's controls repaint on top of the bar; most of their updates touch neither the frame
    // nor the bar.
    const QRegion decoration = QRegion(rect()) - QRegion(m_window.contentsRect());
    if (!event->region().intersects(decoration)) return;
    QPainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.rect = rect();
    frame.lineWidth = frameWidth();
    style()->drawPrimitive(QStyle::PE_FrameWindow, &frame, &painter, this);
    const QStyleOptionTitleBar bar = titleOption();
    style()->drawComplexControl(QStyle::CC_TitleBar, &bar, &painter, this);
}

QStyle::SubControl TitleBar::buttonAt(const QPoint& point) const {
    const QStyleOptionTitleBar option = titleOption();
    const QStyle::SubControl hit = style()->hitTestComplexControl(QStyle::CC_TitleBar, &option, point, this);
    if (hit == QStyle::SC_TitleBarMinButton || hit == QStyle::SC_TitleBarCloseButton) return hit;
    return QStyle::SC_None;
}

void TitleBar::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !barRect().contains(point)) {
        event->ignore();
        return;
    }
    const QStyleOptionTitleBar option = titleOption();
    if (style()->hitTestComplexControl(QStyle::CC_TitleBar, &option, point, this) == QStyle::SC_TitleBarSysMenu) {
        showWindowMenu(style()->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarSysMenu, this));
        return;
    }
    m_pressed = buttonAt(point);
    m_pressedInside = true;
    if (m_pressed != QStyle::SC_None) {
        update(barRect());
    } else if (QWindow* handle = m_window.windowHandle()) {
        // The compositor moves the window while the button is held; the window never places itself.
        handle->startSystemMove();
    }
}

void TitleBar::mouseMoveEvent(QMouseEvent* event) {
    if (m_pressed == QStyle::SC_None) return;
    const bool inside = buttonAt(event->position().toPoint()) == m_pressed;
    if (inside == m_pressedInside) return;
    m_pressedInside = inside;
    update(barRect());
}

void TitleBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_pressed == QStyle::SC_None) return;
    const QStyle::SubControl released = m_pressedInside ? m_pressed : QStyle::SC_None;
    m_pressed = QStyle::SC_None;
    update(barRect());
    activate(released);
}

// A second click on a button counts as a click; on the title it does nothing, where a window manager
// would maximise a window that can be maximised.
void TitleBar::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && buttonAt(event->position().toPoint()) != QStyle::SC_None)
        mousePressEvent(event);
}

// The program icon opens the window's menu, as a window manager's does: what the bar's buttons do, by
// name and from the keyboard.
void TitleBar::showWindowMenu(const QRect& icon) {
    QMenu menu(this);
    if (m_buttons & Qt::WindowMinimizeButtonHint)
        menu.addAction(QStringLiteral("Mi&nimize"), [this] { activate(QStyle::SC_TitleBarMinButton); });
    menu.addAction(QStringLiteral("&Close"), [this] { activate(QStyle::SC_TitleBarCloseButton); });
    menu.exec(mapToGlobal(icon.bottomLeft() + QPoint(0, 1)));
}

void TitleBar::activate(QStyle::SubControl button) {
    switch (button) {
        case QStyle::SC_TitleBarMinButton:
            m_window.showMinimized();
            break;
        case QStyle::SC_TitleBarCloseButton:
            // As the window manager's close button: the window's own close handling decides.
            m_window.close();
            break;
        default:
            break;
    }
}

bool TitleBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window) {
        switch (event->type()) {
            case QEvent::Resize:
                setGeometry(m_window.rect());
                break;
            case QEvent::WindowTitleChange:
            case QEvent::ActivationChange:
            case QEvent::WindowStateChange:
                update(barRect());
                break;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace platform::qt
