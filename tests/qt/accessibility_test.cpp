#include "about/about_box.h"
#include "platform/accessible_text.h"
#include "platform/qt/main_window.h"
#include "platform/qt/status_panels.h"
#include "platform/qt/up_down.h"

#include "velmora_version.h"
#include "window_under_test.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

using platform::qt::MainWindow;

// The main window as a screen reader and a person without a mouse meet it.
class AccessibilityTest : public QObject {
    Q_OBJECT

private:
    WindowUnderTest m_under;

    TMainForm& form() { return m_under.form(); }
    MainWindow& window() { return m_under.window(); }
    QWidget* widgetOf(const platform::Control& control) { return window().widgets().widget(control); }
    QString nameOf(QObject* object, QAccessible::Text text = QAccessible::Name) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
        return accessible ? accessible->text(text) : QString();
    }
    QWidget* focused() { return QApplication::focusWidget(); }
    void press(int key) { QTest::keyClick(focused(), Qt::Key(key)); }
    void createPicture(const QString& width, const QString& height) {
        m_under.typeInto(form().Leveys, width);
        m_under.typeInto(form().Korkeus, height);
        QTest::keyClick(focused(), Qt::Key_Return);
    }

private slots:
    void init() { QVERIFY(m_under.open()); }
    void cleanup() { m_under.close(); }

    // Every widget inside the client area, the arrows and status panels too, and every menu item.
    void everyWidgetAndMenuItemHasAName() {
        for (bool withPicture : {false, true}) {
            if (withPicture) createPicture("20", "15");
            for (QWidget* widget : window().client()->findChildren<QWidget*>()) {
                const QString what = widget->objectName() + " " + widget->metaObject()->className();
                QVERIFY2(!nameOf(widget).isEmpty(), qPrintable(what));
                if (window().widgets().control(widget))
                    QVERIFY2(!nameOf(widget, QAccessible::Description).isEmpty(), qPrintable(what));
            }
        }
        for (QMenu* menu : window().menuBar()->findChildren<QMenu*>()) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(menu);
            QVERIFY(accessible && accessible->childCount() == menu->actions().size());
            for (int i = 0; i < accessible->childCount(); ++i) {
                QAccessibleInterface* item = accessible->child(i);
                if (item->role() == QAccessible::Separator) continue;
                QVERIFY2(!item->text(QAccessible::Name).isEmpty(), qPrintable(menu->title()));
                QVERIFY(!item->text(QAccessible::Name).contains('&'));
                // The shortcut is the item's key binding, not part of its name.
                QVERIFY(!item->text(QAccessible::Name).contains('\t'));
                if (item->text(QAccessible::Name) == QStringLiteral("New"))
                    QCOMPARE(item->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
                             QStringList{QStringLiteral("Ctrl+N")});
            }
        }
    }

    // A form the host knows nothing special about still gets a name for every control.
    void aboutBoxControlsAreNamedFromCaptionsAndKinds() {
        platform::qt::QtMessageBoxes messages;
        platform::qt::QtErrorDisplay errors{messages};
        TAboutBox about{errors};
        QStringList names;
        for (const platform::Control* control : about.controls) {
            const platform::AccessibleText text = platform::describeControl(*control);
            QVERIFY(!text.description.empty());
            names << QString::fromStdString(text.name);
        }
        QCOMPARE(names, QStringList({"Panel", "Velmora", QStringLiteral("Version ") + VelmoraVersion, "Picture",
                                     VelmoraEmail, VelmoraHomepage, "OK"}));
    }

    void namesThatShowStateFollowTheForm() {
        QCOMPARE(nameOf(widgetOf(form().Boxi)), QStringLiteral("Picture, zoom 600%"));
        QCOMPARE(nameOf(widgetOf(form().FilledCircle)), QStringLiteral("Filled Ellipse"));
        QCOMPARE(nameOf(widgetOf(form().Leveys)), QStringLiteral("Width"));
        QCOMPARE(nameOf(widgetOf(form().Korkeus), QAccessible::Description), QStringLiteral("max. 80"));
        QCOMPARE(nameOf(widgetOf(form().ColorPaneeli)), QStringLiteral("Drawing colour: black"));
        QCOMPARE(nameOf(widgetOf(form().PenWidth)), QStringLiteral("Pen width 1"));
        // What each is: the pen width a spin button with its value, a swatch a button to press, a line a
        // separator.
        QAccessibleInterface* penWidth = QAccessible::queryAccessibleInterface(widgetOf(form().PenWidth));
        QCOMPARE(penWidth->role(), QAccessible::SpinBox);
        QCOMPARE(penWidth->valueInterface()->currentValue().toInt(), 1);
        QAccessibleInterface* black = QAccessible::queryAccessibleInterface(widgetOf(form().PiirtoBlack));
        QCOMPARE(black->role(), QAccessible::Button);
        QCOMPARE(QAccessible::queryAccessibleInterface(widgetOf(form().Alaviiva))->role(), QAccessible::Separator);

        createPicture("20", "15");
        QTest::mouseClick(widgetOf(form().PiirtoWhite), Qt::LeftButton);
        QCOMPARE(nameOf(widgetOf(form().ColorPaneeli)), QStringLiteral("Drawing colour: white"));
        QTest::mouseClick(static_cast<platform::qt::UpDown*>(widgetOf(form().PenWidth))->leftArrow(), Qt::LeftButton);
        QCOMPARE(nameOf(widgetOf(form().PenWidth)), QStringLiteral("Pen width 8"));
        QCOMPARE(penWidth->valueInterface()->currentValue().toInt(), 8);
        black->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(nameOf(widgetOf(form().ColorPaneeli)), QStringLiteral("Drawing colour: black"));
        QVERIFY(nameOf(widgetOf(form().PikkuBoxi), QAccessible::Description).contains("20 x 15 pixels"));
        QTest::mouseMove(widgetOf(form().Boxi), QPoint(13, 20));
        auto* status = dynamic_cast<platform::qt::StatusPanels*>(widgetOf(form().StatusBar));
        QCOMPARE(nameOf(status->panel(0)), QStringLiteral("Pointer position: (2, 3)"));
    }

    // Tab runs through the size boxes and OK (while there is no picture), the tools, the pen width and
    // the swatches (once there is one), and wraps round.
    void tabReachesEveryControlInOrder() {
        // The window opens in the width box with its text selected, so typing replaces it.
        QCOMPARE(focused(), widgetOf(form().Leveys));
        QVERIFY(qobject_cast<QLineEdit*>(focused())->hasSelectedText());
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(focused(), widgetOf(form().OKButton));
        press(Qt::Key_Tab);
        QCOMPARE(focused(), widgetOf(form().Pen));
        createPicture("20", "15");
        QList<const platform::Control*> expected;
        for (platform::ToolButton* tool : form().toolButtons) expected << tool;
        expected << &form().PenWidth << &form().PiirtoWhite << &form().PiirtoBlack;
        widgetOf(form().Pen)->setFocus(Qt::TabFocusReason);
        QList<const platform::Control*> seen{window().widgets().control(focused())};
        for (int i = 1; i < expected.size(); ++i) {
            press(Qt::Key_Tab);
            seen << window().widgets().control(focused());
        }
        QCOMPARE(seen, expected);
        // The size boxes and OK are disabled while there is a picture, so Tab goes round to the tools.
        press(Qt::Key_Tab);
        QCOMPARE(focused(), widgetOf(form().Pen));
    }

    void keysSelectToolsColoursAndPenWidth() {
        createPicture("20", "15");
        widgetOf(form().FilledCircle)->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Space);
        QVERIFY(form().FilledCircle.down);
        QVERIFY(!form().Pen.down);
        QVERIFY(qobject_cast<QToolButton*>(widgetOf(form().FilledCircle))->isChecked());

        widgetOf(form().PiirtoWhite)->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Space);
        QCOMPARE(form().ColorPaneeli.color, raster::White);
        press(Qt::Key_Tab);
        press(Qt::Key_Return);
        QCOMPARE(form().ColorPaneeli.color, raster::Black);

        widgetOf(form().PenWidth)->setFocus(Qt::TabFocusReason);
        for (int key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Up}) press(key);
        QCOMPARE(form().PenWidth.position, 4);
        QCOMPARE(form().PenSize.text, std::string("4"));
        for (int key : {Qt::Key_Left, Qt::Key_Down, Qt::Key_Left, Qt::Key_Left}) press(key);
        // From 1 a step down wraps round to 8, as the arrow buttons do.
        QCOMPARE(form().PenWidth.position, 8);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
