#include "platform/qt/accessible_roles.h"

#include "platform/qt/up_down.h"

#include <QAccessibleValueChangeEvent>
#include <QAccessibleWidget>
#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QWidget>

namespace platform::qt {

namespace {

constexpr const char* RoleProperty = "accessibleRole";
constexpr const char* ValueProperty = "accessibleValue";
constexpr const char* MinimumProperty = "accessibleMinimum";
constexpr const char* MaximumProperty = "accessibleMaximum";
constexpr const char* MenuItemProperty = "accessibleMenuItem";

// "Save &As" is read "Save As", "&&" as one "&".
QString withoutAccelerator(const QString& caption) {
    QString plain;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) ++i;
        plain += caption[i];
    }
    return plain;
}

// Qt names a menu item by its whole text, the tab and the shortcut the menu shows after it included.
class MenuItem : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit MenuItem(QAction* action) : m_action(action) {}

    bool isValid() const override { return m_action && menu(); }
    QObject* object() const override { return m_action; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(menu()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text type) const override {
        const QString whole = m_action->text();
        const qsizetype tab = whole.indexOf(u'\t');
        if (type == QAccessible::Name) return withoutAccelerator(whole.left(tab));
        if (type == QAccessible::Accelerator) return tab < 0 ? QString() : whole.mid(tab + 1);
        return {};
    }
    QRect rect() const override {
        const QRect area = menu()->actionGeometry(m_action);
        return {menu()->mapToGlobal(area.topLeft()), area.size()};
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = !menu()->isVisible();
        state.disabled = !m_action->isEnabled();
        state.focusable = m_action->isEnabled();
        state.focused = m_action->isEnabled() && menu()->activeAction() == m_action;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && m_action->isEnabled()) m_action->trigger();
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        const QString keys = text(QAccessible::Accelerator);
        if (name != pressAction() || keys.isEmpty()) return {};
        return {keys};
    }

private:
    QMenu* menu() const { return qobject_cast<QMenu*>(m_action->parent()); }

    QPointer<QAction> m_action;
};

// The up-down control: its value is the program's, so it changes only by the steps of its arrows.
class SpinButton : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SpinButton(QWidget* widget) : QAccessibleWidget(widget, QAccessible::SpinBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Value) return currentValue().toString();
        return QAccessibleWidget::text(type);
    }
    QVariant currentValue() const override { return widget()->property(ValueProperty); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return widget()->property(MaximumProperty); }
    QVariant minimumValue() const override { return widget()->property(MinimumProperty); }
    QVariant minimumStepSize() const override { return 1; }

    QStringList actionNames() const override { return {increaseAction(), decreaseAction()}; }
    void doAction(const QString& name) override {
        auto* arrows = qobject_cast<UpDown*>(widget());
        if (!arrows || !arrows->onStep || !widget()->isEnabled()) return;
        if (name == increaseAction()) arrows->onStep(1);
        if (name == decreaseAction()) arrows->onStep(-1);
    }
};

// A swatch: pressing it is what Space does on it.
class PressButton : public QAccessibleWidget {
public:
    explicit PressButton(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Button) {}

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name != pressAction() || !widget()->isEnabled()) return;
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QCoreApplication::sendEvent(widget(), &space);
    }
};

QAccessibleInterface* makeInterface(const QString&, QObject* object) {
    if (auto* action = qobject_cast<QAction*>(object); action && action->property(MenuItemProperty).toBool())
        return new MenuItem(action);
    if (!object || !object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    const QVariant role = widget->property(RoleProperty);
    if (!role.isValid()) return nullptr;
    switch (static_cast<AccessibleRole>(role.toInt())) {
        case AccessibleRole::SpinButton:
            return new SpinButton(widget);
        case AccessibleRole::PressButton:
            return new PressButton(widget);
        case AccessibleRole::Separator:
            return new QAccessibleWidget(widget, QAccessible::Separator);
    }
    return nullptr;
}

void installFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(makeInterface);
        return true;
    }();
    (void)installed;
}

}  // namespace

void setAccessibleRole(QWidget& widget, AccessibleRole role) {
    installFactory();
    widget.setProperty(RoleProperty, static_cast<int>(role));
}

void setAccessibleMenuItem(QAction& action) {
    installFactory();
    action.setProperty(MenuItemProperty, true);
}

void setAccessibleValue(QWidget& widget, int value, int minimum, int maximum) {
    widget.setProperty(MinimumProperty, minimum);
    widget.setProperty(MaximumProperty, maximum);
    if (widget.property(ValueProperty) == value) return;
    widget.setProperty(ValueProperty, value);
    QAccessibleValueChangeEvent event(&widget, value);
    QAccessible::updateAccessibility(&event);
}

}  // namespace platform::qt
