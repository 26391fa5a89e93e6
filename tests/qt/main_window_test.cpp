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
    void typeInto(const platform::EditBox& edit, const QString& text) { m_under.typeInto(edit, text); }

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
        QCOMPARE(inClient(form().Pen), QRect(4, 24, 25, 25));
        QCOMPARE(inClient(form().FilledRoundRect), QRect(4, 280, 25, 25));
        QCOMPARE(inClient(form().PenWidth), QRect(2, 322, 29, 23));
        QCOMPARE(inClient(form().ZoomLabel), QRect(546, 0, 63, 14));
        QCOMPARE(inClient(form().PiirtoBlack), QRect(624 + 16, 267 + 44, 20, 16));
        QCOMPARE(inClient(form().Leveys), QRect(624 + 55, 347 + 24, 33, 23));
        QCOMPARE(inClient(form().OKButton), QRect(624 + 20, 347 + 102, 57, 25));
        QCOMPARE(inClient(form().StatusBar), QRect(0, 498, 729, 21));
        QCOMPARE(inClient(form().Reunaviiva), QRect(609, 15, 2, 482));
        // No document yet: the view and the preview take no room.
        QCOMPARE(inClient(form().Paneeli), QRect(34, 15, 0, 0));
        QCOMPARE(inClient(form().PikkuPaneeli), QRect(624, 15, 0, 0));
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
        QCOMPARE(menus.action(form().New)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
        QCOMPARE(menus.action(form().Mirror)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
        QCOMPARE(menus.action(form().HelpContents)->shortcut(), QKeySequence(Qt::Key_F1));
        QVERIFY(menus.action(form().Cut)->shortcut().isEmpty());
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

    void menuShortcutsComeBeforeTheSizeBoxes() {
        QApplication::clipboard()->setText(QStringLiteral("42"));
        typeInto(form().Leveys, "5");
        QTest::keyClick(widgetOf(form().Leveys), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(widgetOf<QLineEdit>(form().Leveys)->text(), QStringLiteral("5"));
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
        QVERIFY(form().Closed);
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
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
