#include "platform/qt/main_window.h"

#include "platform/qt/convert.h"
#include "platform/qt/fixed_frame.h"
#include "platform/qt/host_style.h"
#include "platform/qt/image_view.h"

#include <QCloseEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace platform::qt {

namespace {

// The window's surface as its paint handler sees it, over the painter of one paint event.
class PainterSurface : public platform::WindowSurface {
public:
    explicit PainterSurface(QPainter& painter) : m_painter(painter) {}
    void fillRect(const platform::Rect& rect, raster::Color color) override {
        m_painter.fillRect(toQRect(rect), toQColor(color));
    }

private:
    QPainter& m_painter;
};

}  // namespace

ClientArea::ClientArea(platform::WindowInput& input, QWidget* parent) : QWidget(parent), m_input(input) {}

void ClientArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PainterSurface surface(painter);
    m_input.paint(surface);
}

MainWindow::MainWindow(platform::WindowInput& input)
    : m_input(input), m_style(HostStyle::install()), m_client(new ClientArea(input, this)) {
    const platform::Form& form = input.form();
    // A fixed frame: the system menu and minimise, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(picturePath("velmora-32")));
    m_client->setFixedSize(form.clientSize.width, form.clientSize.height);
    setCentralWidget(m_client);
    m_widgets = std::make_unique<FormWidgets>(input.form(), m_client);
    m_widgets->enterPressesDefault = true;
    m_menus = std::make_unique<Menus>(input.menuBar(), *menuBar(), *this);
    connectControls();
    connectView();
    // The window takes exactly the menu bar and the client area, and cannot be resized.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    FixedFrame::keep(*this);
    afterHandler();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectControls() {
    m_widgets->onClick = [this](platform::Control& control) {
        m_input.click(control);
        afterHandler();
    };
    m_widgets->onStep = [this](platform::UpDown& upDown, int delta) {
        m_input.step(upDown, delta);
        afterHandler();
    };
    m_widgets->onType = [this](platform::EditBox& edit, const std::string& text) {
        m_input.type(edit, text);
        afterHandler();
    };
    m_menus->onChoose = [this](platform::MenuItem& item) {
        m_input.chooseMenuItem(item);
        afterHandler();
    };
    m_menus->onShortcut = [this](const std::string& shortcut) {
        m_input.pressShortcut(shortcut);
        afterHandler();
    };
    m_menus->onOpen = [this](platform::Menu& menu) {
        m_input.openMenu(menu);
        afterHandler();
    };
    // Whatever is dropped goes to the window, which takes pictures and refuses text everywhere.
    setAcceptDrops(true);
    for (QLineEdit* edit : m_client->findChildren<QLineEdit*>()) {
        edit->installEventFilter(this);
        edit->setAcceptDrops(false);
    }
}

void MainWindow::connectView() {
    ImageView* view = m_widgets->pointerView();
    if (!view) return;
    // Motion without a button held still updates the pointer readout.
    view->setMouseTracking(true);
    view->setCursor(Qt::CrossCursor);
    view->onPress = [this](platform::MouseButton button, platform::ShiftState shift, int x, int y) {
        m_input.pointerDown(button, shift, x, y);
        afterHandler();
    };
    view->onMove = [this](platform::ShiftState shift, int x, int y) {
        m_input.pointerMove(shift, x, y);
        afterHandler();
    };
    view->onRelease = [this](platform::MouseButton button, platform::ShiftState shift, int x, int y) {
        m_input.pointerUp(button, shift, x, y);
        afterHandler();
    };
}

void MainWindow::afterHandler() {
    const platform::WindowState state = m_input.state();
    m_style->setHintPause(state.hintPause);
    if (state.caption != m_caption || windowTitle().isEmpty()) {
        m_caption = state.caption;
        setWindowTitle(toQString(m_caption));
    }
    m_widgets->sync();
    m_menus->sync();
    syncFocus(state);
    if (afterEachHandler) afterEachHandler();
    if (state.closed && !m_closedForGood) {
        m_closedForGood = true;
        close();
    }
}

void MainWindow::syncFocus(const platform::WindowState& state) {
    if (state.focusRequests == m_focusRequests) return;
    m_focusRequests = state.focusRequests;
    if (!state.focusTarget) return;
    QWidget* target = m_widgets->widget(*state.focusTarget);
    if (!target) return;
    target->setFocus(Qt::OtherFocusReason);
    // An edit box that the program moves the focus to selects its text, as Tab does, so that
    // typing replaces it: a size box takes two characters and would refuse a third.
    if (auto* edit = qobject_cast<QLineEdit*>(target)) edit->selectAll();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_closedForGood) {
        m_closedForGood = m_input.requestClose();
        afterHandler();
    }
    if (m_closedForGood)
        event->accept();
    else
        event->ignore();
}

void MainWindow::setVisible(bool visible) {
    if (visible && !m_centred) {
        m_centred = true;
        centreOnScreen();
    }
    QMainWindow::setVisible(visible);
}

// Centred on the screen; a window larger than the screen keeps its title bar at the top and its left
// edge on the screen, so that its menus and its system menu stay in reach. The window manager adds
// the frame only once the window is shown; a position given before that is the frame's, so the
// window manager puts the frame, title bar included, at that point.
void MainWindow::centreOnScreen() {
    layout()->activate();
    const QRect available = screen()->availableGeometry();
    const QPoint centred = available.center() - QPoint(width() / 2, height() / 2);
    move(std::max(centred.x(), available.left()), std::max(centred.y(), available.top()));
}

// The edit boxes would take Ctrl+Z, Ctrl+C and Ctrl+V for themselves; the menu's shortcuts come first,
// as a person expects of a menu shortcut, but only while the item can be carried out: a key whose
// item is disabled edits the box's text. The item's menu opens first, as it does for the shortcut
// itself, because its opening decides which of its items are enabled.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride) return QMainWindow::eventFilter(watched, event);
    platform::MenuItem* item = m_menus->itemOf(QKeySequence(static_cast<QKeyEvent*>(event)->keyCombination()));
    if (!item) return QMainWindow::eventFilter(watched, event);
    if (platform::Menu* menu = m_menus->menuOf(*item)) {
        m_input.openMenu(*menu);
        afterHandler();
    }
    if (!item->enabled) return QMainWindow::eventFilter(watched, event);
    event->ignore();
    return true;
}

}  // namespace platform::qt
