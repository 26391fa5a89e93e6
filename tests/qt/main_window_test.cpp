#include "platform/qt/main_window.h"
#include "platform/qt/up_down.h"

#include "window_under_test.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QToolButton>

using platform::qt::MainWindow;

// The real main window, built from the form as the program builds it, driven by real widget events.
class MainWindowTest : public QObject {
    Q_OBJECT

private:
    WindowUnderTest m_under;

    TMainForm& form() { return m_under.form(); }
    MainWindow& window() { return m_under.window(); }
    template <class Widget = QWidget>
    Widget* widgetOf(const platform::Control& control) {
        return m_under.widgetOf<Widget>(control);
    }
    QRect inClient(const platform::Control& control) {
        QWidget* widget = widgetOf(control);
        return QRect(widget->mapTo(window().client(), QPoint(0, 0)), widget->size());
    }
    // Where the form puts a control in the client area: its bounds, moved by each parent's corner.
    static QRect declaredInClient(const platform::Control& control) {
        QRect rect(control.bounds.left, control.bounds.top, control.width(), control.height());
        for (const platform::Control* parent = control.parent; parent; parent = parent->parent)
            rect.translate(parent->bounds.left, parent->bounds.top);
        return rect;
    }
    void typeInto(const platform::EditBox& edit, const QString& text) { m_under.typeInto(edit, text); }
    // A pointer event at a fractional position of a widget, handed to the window system's entry
    // into Qt as a touchpad or a fractional scale delivers it.
    void pointerAt(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButtons held) {
        static int timestamp = 1000;
        timestamp += 1000;
        const QPointF local = widget->mapTo(&window(), at);
        qt_handleMouseEvent(window().windowHandle(), local, window().mapToGlobal(local), held, Qt::LeftButton, type,
                            Qt::NoModifier, timestamp);
        QCoreApplication::processEvents();
    }

private slots:
    void init() { QVERIFY(m_under.open()); }
    void cleanup() { m_under.close(); }

    void clientAreaIsFixedAndCannotBeMaximised() {
        QCOMPARE(window().client()->size(), QSize(729, 519));
        QCOMPARE(window().client()->mapTo(&window(), QPoint(0, 0)).y(), window().menuBar()->height());
        QCOMPARE(window().minimumSize(), window().maximumSize());
        QCOMPARE(window().size().height(), window().menuBar()->height() + 519);
        QVERIFY(!window().windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(window().windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QCOMPARE(window().windowTitle(), QStringLiteral(" Velmora"));
    }

    void controlsSitWhereTheLayoutPutsThem() {
        for (const platform::Control* control : form().controls)
            if (widgetOf(*control)) QCOMPARE(inClient(*control), declaredInClient(*control));
        // No document yet: the view and the preview take no room.
        QVERIFY(inClient(form().Paneeli).isEmpty());
        QVERIFY(inClient(form().PikkuPaneeli).isEmpty());
        // Work objects are no part of the window.
        QVERIFY(!widgetOf(form().Mappi));
        QVERIFY(!widgetOf(form().TaustaWhite));
        QVERIFY(!widgetOf(form().PenSize));
    }

    void menusCarryCaptionsAcceleratorsAndShortcuts() {
        QStringList titles;
        for (QAction* menu : window().menuBar()->actions()) titles << menu->text();
        QCOMPARE(titles, QStringList({"&File", "&Edit", "&Image", "&Help"}));

        const auto& menus = window().menus();
        QCOMPARE(menus.action(form().SaveAs)->text(), QStringLiteral("Save &As"));
        QCOMPARE(menus.action(form().Exit)->text(), QStringLiteral("E&xit"));
        QCOMPARE(menus.action(form().ClearClip)->text(), QStringLiteral("Clear Clip&board"));
        QCOMPARE(menus.action(form().New)->text(), QStringLiteral("&New\tCtrl+N"));
        QCOMPARE(menus.action(form().Mirror)->text(), QStringLiteral("&Mirror\tCtrl+M"));
        QCOMPARE(menus.action(form().HelpContents)->text(), QStringLiteral("&Help\tF1"));
        QCOMPARE(menus.action(form().Cut)->text(), QStringLiteral("Cu&t"));
        QVERIFY(!menus.action(form().HelpContents)->icon().isNull());
        const QList<QAction*> editItems = menus.menu(form().Editti)->actions();
        QCOMPARE(editItems.size(), 7);
        QVERIFY(editItems[1]->isSeparator() && editItems[5]->isSeparator());
    }

    void enabledStatesFollowTheDocument() {
        const auto& menus = window().menus();
        for (platform::MenuItem* item : {&form().Save, &form().SaveAs, &form().Undo, &form().Cut, &form().Copy,
                                         &form().Paste, &form().Invert, &form().Flip, &form().Mirror})
            QVERIFY2(!menus.action(*item)->isEnabled(), item->name.c_str());
        for (platform::MenuItem* item : {&form().New, &form().Open, &form().Exit, &form().HelpContents})
            QVERIFY2(menus.action(*item)->isEnabled(), item->name.c_str());
        QVERIFY(!widgetOf(form().Boxi)->isEnabled());
        QVERIFY(widgetOf(form().Leveys)->isEnabled());
        QCOMPARE(widgetOf<QLabel>(form().SizeLabel)->text(), QStringLiteral("1 x 1"));
        QVERIFY(widgetOf<QToolButton>(form().Pen)->isChecked());

        QTest::mouseClick(widgetOf(form().OKButton), Qt::LeftButton);
        QVERIFY(menus.action(form().Save)->isEnabled());
        QVERIFY(menus.action(form().Mirror)->isEnabled());
        QVERIFY(!widgetOf(form().Leveys)->isEnabled());
        QVERIFY(!widgetOf(form().OKButton)->isEnabled());
        QVERIFY(widgetOf(form().Boxi)->isEnabled());
        QCOMPARE(inClient(form().Paneeli), QRect(34, 15, 6, 6));
    }

    void enterInASizeBoxPressesOk() {
        typeInto(form().Leveys, "10");
        typeInto(form().Korkeus, "8");
        QTest::keyClick(widgetOf(form().Korkeus), Qt::Key_Return);
        QCOMPARE(inClient(form().Paneeli).size(), QSize(60, 48));
        QCOMPARE(inClient(form().PikkuPaneeli).size(), QSize(10, 8));
        QCOMPARE(widgetOf<QLabel>(form().SizeLabel)->text(), QStringLiteral("10 x 8"));
    }

    void sizeBoxesTakeTwoCharactersAtMost() {
        typeInto(form().Leveys, "123");
        QCOMPARE(widgetOf<QLineEdit>(form().Leveys)->text(), QStringLiteral("12"));
        QCOMPARE(form().Leveys.text, std::string("12"));
    }

    // Focus that comes to a size box by New or by Tab selects its text, so typing replaces it.
    void sizeBoxesSelectTheirTextWhenTheFocusComes() {
        typeInto(form().Leveys, "48");
        QTest::keyClick(widgetOf(form().Leveys), Qt::Key_Return);
        QTest::keyClick(window().windowHandle(), Qt::Key_N, Qt::ControlModifier);
        auto* width = widgetOf<QLineEdit>(form().Leveys);
        QCOMPARE(QApplication::focusWidget(), width);
        QTest::keyClick(window().windowHandle(), '7');
        QCOMPARE(width->text(), QStringLiteral("7"));
        QTest::keyClick(window().windowHandle(), Qt::Key_Tab);
        QTest::keyClick(window().windowHandle(), '9');
        QCOMPARE(widgetOf<QLineEdit>(form().Korkeus)->text(), QStringLiteral("9"));
    }

    // A menu shortcut whose item is disabled edits the box's text instead: Paste is disabled while the
    // size boxes are in use, so Ctrl+V pastes the clipboard's text into the box.
    void menuShortcutsOfDisabledItemsEditTheSizeBoxes() {
        QApplication::clipboard()->setText(QStringLiteral("42"));
        typeInto(form().Leveys, "5");
        widgetOf<QLineEdit>(form().Leveys)->selectAll();
        QTest::keyClick(widgetOf(form().Leveys), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(widgetOf<QLineEdit>(form().Leveys)->text(), QStringLiteral("42"));
        QCOMPARE(form().Leveys.text, std::string("42"));
    }

    // Escape in an open menu leaves the keyboard with the menu bar (as a tap of Alt does); the
    // shortcuts still work from there, through Qt's own key path.
    void shortcutsWorkWhileTheMenuBarHoldsTheFocus() {
        QTest::mouseClick(widgetOf(form().OKButton), Qt::LeftButton);
        QMenuBar* bar = window().menuBar();
        QWindow* handle = window().windowHandle();
        const QRect image = bar->actionGeometry(window().menus().menu(form().Image1)->menuAction());
        QTest::mouseClick(handle, Qt::LeftButton, {}, bar->mapTo(&window(), image.center()));
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(handle, Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QCOMPARE(QApplication::focusWidget(), bar);
        QTest::keyClick(handle, Qt::Key_I, Qt::ControlModifier);
        QCOMPARE(form().Boxi.picture.pixel(0, 0), raster::Black);
    }

    void toolButtonsAreExclusiveAndHinted() {
        QTest::mouseClick(widgetOf(form().Line), Qt::LeftButton);
        QVERIFY(widgetOf<QToolButton>(form().Line)->isChecked());
        QVERIFY(!widgetOf<QToolButton>(form().Pen)->isChecked());
        QTest::mouseClick(widgetOf(form().Line), Qt::LeftButton);
        QVERIFY(widgetOf<QToolButton>(form().Line)->isChecked());
        QCOMPARE(widgetOf(form().FilledRoundRect)->toolTip(), QStringLiteral("Filled Round Rectangle"));
        QCOMPARE(widgetOf(form().PenWidth)->toolTip(), QStringLiteral("Change Pen Width"));
        QCOMPARE(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 200);
    }

    void penWidthArrowsWrapAround() {
        auto* arrows = widgetOf<platform::qt::UpDown>(form().PenWidth);
        QTest::mouseClick(arrows->leftArrow(), Qt::LeftButton);
        QCOMPARE(widgetOf<QLabel>(form().PW)->text(), QStringLiteral("8"));
        QTest::mouseClick(arrows->rightArrow(), Qt::LeftButton);
        QTest::mouseClick(arrows->rightArrow(), Qt::LeftButton);
        QCOMPARE(widgetOf<QLabel>(form().PW)->text(), QStringLiteral("2"));
        QCOMPARE(form().PenWidth.position, 2);
    }

    void f1OpensHelpBesideTheWindow() {
        QTest::keyClick(&window(), Qt::Key_F1);
        QTextBrowser* help = m_under.services().help.window();
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QVERIFY(window().isVisible());
    }

    void closingWithoutChangesClosesForGood() {
        QVERIFY(window().close());
        QVERIFY(form().closed);
        QVERIFY(!window().isVisible());
    }

    void pointerEventsReachTheViewWithSignedPositions() {
        typeInto(form().Leveys, "10");
        typeInto(form().Korkeus, "10");
        QTest::mouseClick(widgetOf(form().OKButton), Qt::LeftButton);
        QWidget* view = widgetOf(form().Boxi);
        QTest::mouseMove(view, QPoint(13, 20));
        QCOMPARE(form().StatusBar.panels[0], std::string("(2, 3)"));
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(7, 7));
        QCOMPARE(form().Boxi.picture.pixel(1, 1), raster::Black);
        QCOMPARE(form().StatusBar.panels[1], std::string("Modified"));
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(7, 7));
        // A drag may end outside the visible part; the handlers still get the signed position.
        QTest::mouseClick(widgetOf(form().RectangleButton), Qt::LeftButton);
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(30, 30));
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(-20, -20));
        // Corners (5, 5) and (-3, -3): the right column is 4, the bottom row 4, the rest lies outside.
        QCOMPARE(form().Mappi.picture.pixel(4, 0), raster::Black);
        QCOMPARE(form().Mappi.picture.pixel(0, 4), raster::Black);
        QCOMPARE(form().Mappi.picture.pixel(0, 0), raster::White);
    }

    // Every point inside a 6 x 6 block maps to that block, also left of and above the view.
    void fractionalPositionsMapToTheBlockThatHoldsThem() {
        typeInto(form().Leveys, "10");
        typeInto(form().Korkeus, "10");
        QTest::mouseClick(widgetOf(form().OKButton), Qt::LeftButton);
        QWidget* view = widgetOf(form().Boxi);
        pointerAt(view, QEvent::MouseButtonPress, QPointF(5.6, 5.6), Qt::LeftButton);
        pointerAt(view, QEvent::MouseButtonRelease, QPointF(5.6, 5.6), Qt::NoButton);
        QCOMPARE(form().Boxi.picture.pixel(0, 0), raster::Black);
        QCOMPARE(form().Boxi.picture.pixel(1, 1), raster::White);
        // A rectangle from (30, 30) to (-5.4, -5.4): the pointer lies in the block left of and above
        // the view, so the rectangle's left and top edges fall outside the picture.
        QTest::mouseClick(widgetOf(form().RectangleButton), Qt::LeftButton);
        pointerAt(view, QEvent::MouseButtonPress, QPointF(30, 30), Qt::LeftButton);
        pointerAt(view, QEvent::MouseMove, QPointF(-5.4, -5.4), Qt::LeftButton);
        pointerAt(view, QEvent::MouseButtonRelease, QPointF(-5.4, -5.4), Qt::NoButton);
        QCOMPARE(form().Mappi.picture.pixel(4, 2), raster::Black);
        QCOMPARE(form().Mappi.picture.pixel(0, 2), raster::White);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
