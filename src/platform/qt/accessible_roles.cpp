#include "platform/qt/accessible_roles.h"

#include "platform/qt/up_down.h"

#include <QAccessibleValueChangeEvent>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace platform::qt {

namespace {

constexpr const char* RoleProperty = "accessibleRole";
constexpr const char* ValueProperty = "accessibleValue";
constexpr const char* MinimumProperty = "accessibleMinimum";
constexpr const char* MaximumProperty = "accessibleMaximum";

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

}  // namespace

void setAccessibleRole(QWidget& widget, AccessibleRole role) {
    static const bool installed = [] {
        QAccessible::installFactory(makeInterface);
        return true;
    }();
    (void)installed;
    widget.setProperty(RoleProperty, static_cast<int>(role));
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
