#include "platform/qt/form_widgets.h"

#include "platform/qt/accessible_roles.h"
#include "platform/qt/convert.h"
#include "platform/qt/focus_marker.h"
#include "platform/qt/image_view.h"
#include "platform/qt/resources.h"
#include "platform/qt/status_panels.h"
#include "platform/qt/up_down.h"

#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

#include <algorithm>
#include <utility>
#include <vector>

namespace platform::qt {

namespace {

// A label that reports clicks: the colour swatches are labels. A swatch can also be reached with Tab
// and clicked with Space or Enter, and then shows a focus marker.
class ClickLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick) onClick();
    }
    void keyPressEvent(QKeyEvent* event) override {
        const bool clicks =
            event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (!clicks) {
            QLabel::keyPressEvent(event);
            return;
        }
        if (onClick) onClick();
    }
    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        if (!hasFocus()) return;
        QPainter painter(this);
        drawFocusMarker(painter, rect());
    }
};

void setColor(QWidget* widget, raster::Color color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, toQColor(color));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

int frameStyle(platform::Bevel bevel) {
    switch (bevel) {
        case platform::Bevel::Lowered:
            return QFrame::Panel | QFrame::Sunken;
        // A raised inner bevel inside a lowered outer one reads as an etched frame.
        case platform::Bevel::Raised:
            return QFrame::Box | QFrame::Sunken;
        case platform::Bevel::None:
            break;
    }
    return QFrame::NoFrame;
}

}  // namespace

FormWidgets::FormWidgets(platform::Form& form, QWidget* client) : m_form(form) {
    loadResources();
    client->setFont(toQFont(form.font));
    setColor(client, form.color);
    for (platform::Control* control : form.controls) {
        if (control->workObject) continue;
        QWidget* parent = control->parent ? widget(*control->parent) : client;
        if (!parent) continue;
        QWidget* built = build(*control, parent);
        built->setObjectName(toQString(control->name));
        if (!control->font.family.empty()) built->setFont(toQFont(control->font));
        if (!control->hint.empty()) built->setToolTip(toQString(control->hint));
        m_widgets[control] = built;
        m_entries.push_back({control, built, {}});
        if (control->kind == platform::ControlKind::Image && static_cast<platform::Image*>(control)->takesPointer)
            m_pointerView = static_cast<ImageView*>(built);
    }
    setTabOrder();
    sync();
    focusFirstEditBox();
}

QWidget* FormWidgets::build(platform::Control& control, QWidget* parent) {
    // The kind tells the class: each kind is built by exactly one class of controls.h.
    switch (control.kind) {
        case platform::ControlKind::StatusBar:
            return new StatusPanels(static_cast<platform::StatusBar&>(control), parent);
        case platform::ControlKind::Image:
            return new ImageView(static_cast<platform::Image&>(control), parent);
        case platform::ControlKind::Label:
            return buildLabel(static_cast<platform::Label&>(control), parent);
        case platform::ControlKind::EditBox:
            return buildEditBox(static_cast<platform::EditBox&>(control), parent);
        case platform::ControlKind::Button:
            return buildButton(static_cast<platform::Button&>(control), parent);
        case platform::ControlKind::ToolButton:
            return buildToolButton(static_cast<platform::ToolButton&>(control), parent);
        case platform::ControlKind::UpDown: {
            auto* upDown = &static_cast<platform::UpDown&>(control);
            auto* arrows = new UpDown(parent);
            setAccessibleRole(*arrows, AccessibleRole::SpinButton);
            arrows->onStep = [this, upDown](int delta) {
                if (onStep) onStep(*upDown, delta);
            };
            return arrows;
        }
        case platform::ControlKind::Panel: {
            auto* frame = new QFrame(parent);
            const auto& panel = static_cast<platform::Panel&>(control);
            frame->setFrameStyle(frameStyle(panel.bevel));
            if (panel.separator) setAccessibleRole(*frame, AccessibleRole::Separator);
            return frame;
        }
        case platform::ControlKind::GroupBox:
            return new QGroupBox(parent);
    }
    return new QWidget(parent);
}

QWidget* FormWidgets::buildLabel(platform::Label& label, QWidget* parent) {
    auto* widget = new ClickLabel(parent);
    widget->setTextFormat(Qt::PlainText);
    widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    widget->setWordWrap(label.wordWrap);
    if (label.handCursor) widget->setCursor(Qt::PointingHandCursor);
    if (label.swatch) {
        widget->setFocusPolicy(Qt::TabFocus);
        setAccessibleRole(*widget, AccessibleRole::PressButton);
    }
    if (!label.pictureName.empty()) widget->setPixmap(QPixmap(picturePath(label.pictureName)));
    widget->onClick = [this, &label] {
        if (onClick) onClick(label);
    };
    return widget;
}

QWidget* FormWidgets::buildEditBox(platform::EditBox& edit, QWidget* parent) {
    auto* widget = new QLineEdit(parent);
    if (edit.maxLength > 0) widget->setMaxLength(edit.maxLength);
    QObject::connect(widget, &QLineEdit::textEdited, widget, [this, &edit](const QString& text) {
        if (onType) onType(edit, text.toStdString());
    });
    QObject::connect(widget, &QLineEdit::returnPressed, widget, [this] {
        if (enterPressesDefault) pressDefaultButton();
    });
    return widget;
}

QWidget* FormWidgets::buildButton(platform::Button& button, QWidget* parent) {
    auto* widget = new QPushButton(parent);
    widget->setDefault(button.isDefault);
    if (!button.pictureName.empty()) widget->setIcon(QIcon(picturePath(button.pictureName)));
    QObject::connect(widget, &QPushButton::clicked, widget, [this, &button] {
        if (onClick) onClick(button);
    });
    return widget;
}

QWidget* FormWidgets::buildToolButton(platform::ToolButton& button, QWidget* parent) {
    auto* widget = new QToolButton(parent);
    widget->setAutoRaise(true);
    widget->setCheckable(true);
    // Tab reaches a tool and Space selects it; a click with the mouse leaves the focus where it was.
    widget->setFocusPolicy(Qt::TabFocus);
    widget->setIcon(QIcon(picturePath(button.pictureName)));
    widget->setIconSize(QSize(20, 20));
    QObject::connect(widget, &QToolButton::clicked, widget, [this, &button] {
        if (onClick) onClick(button);
    });
    return widget;
}

// The tools, up-down controls and swatches in the form's order, then the edit boxes in their tab
// order, then the buttons.
void FormWidgets::setTabOrder() {
    std::vector<QWidget*> chain;
    std::vector<platform::EditBox*> edits;
    std::vector<platform::Button*> buttons;
    for (platform::Control* control : m_form.controls) {
        QWidget* built = widget(*control);
        if (!built) continue;
        if (control->kind == platform::ControlKind::EditBox)
            edits.push_back(static_cast<platform::EditBox*>(control));
        else if (control->kind == platform::ControlKind::Button)
            buttons.push_back(static_cast<platform::Button*>(control));
        else if (built->focusPolicy() != Qt::NoFocus)
            chain.push_back(built);
    }
    std::stable_sort(edits.begin(), edits.end(), [](auto* a, auto* b) { return a->tabOrder < b->tabOrder; });
    for (auto* edit : edits) chain.push_back(widget(*edit));
    for (auto* button : buttons) chain.push_back(widget(*button));
    for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
    if (!edits.empty()) m_firstEdit = qobject_cast<QLineEdit*>(widget(*edits.front()));
}

// The window opens in the first edit box rather than on the first tool, its text selected so that
// typing replaces it: a width can be typed straight away.
void FormWidgets::focusFirstEditBox() {
    if (!m_firstEdit) return;
    m_firstEdit->setFocus(Qt::OtherFocusReason);
    m_firstEdit->selectAll();
}

void FormWidgets::pressDefaultButton() {
    for (platform::Control* control : m_form.controls) {
        if (control->kind != platform::ControlKind::Button) continue;
        if (!static_cast<platform::Button*>(control)->isDefault) continue;
        if (auto* widget = qobject_cast<QPushButton*>(this->widget(*control))) widget->click();
    }
}

QWidget* FormWidgets::widget(const platform::Control& control) const {
    const auto found = m_widgets.find(&control);
    return found == m_widgets.end() ? nullptr : found->second;
}

ImageView* FormWidgets::view(const platform::Control& control) const {
    return qobject_cast<ImageView*>(widget(control));
}

platform::Control* FormWidgets::control(const QWidget* widget) const {
    for (const auto& [control, built] : m_widgets)
        if (built == widget) return const_cast<platform::Control*>(control);
    return nullptr;
}

FormWidgets::Shown FormWidgets::shownOf(const platform::Control& control) {
    Shown shown{control.bounds, control.enabled, control.visible, control.caption, {}, {}, false, 0};
    switch (control.kind) {
        case platform::ControlKind::Label:
            shown.color = static_cast<const platform::Label&>(control).color;
            break;
        case platform::ControlKind::Panel:
            shown.color = static_cast<const platform::Panel&>(control).color;
            break;
        case platform::ControlKind::EditBox:
            shown.text = static_cast<const platform::EditBox&>(control).text;
            break;
        case platform::ControlKind::ToolButton:
            shown.down = static_cast<const platform::ToolButton&>(control).down;
            break;
        case platform::ControlKind::UpDown:
            // Not shown by the arrows, but read out by a screen reader.
            shown.position = static_cast<const platform::UpDown&>(control).position;
            break;
        default:
            break;
    }
    return shown;
}

// The pictures, the status bar's panels and the tool buttons' checks follow their controls by
// themselves, at no cost when nothing changed. The other controls are compared with what their widgets show, and the
// screen reader's texts are asked for again only when one of them changed: a description follows the state of the form,
// and the form's state shows in some control whenever it changes, but neither pixels nor the status texts are part of
// any description.
void FormWidgets::sync() {
    // Qt paints every widget marked at that moment in one pass and sends them together; the view
    // goes alone, so its changed cell is on the screen before the preview and the status text are
    // painted at all.
    if (ImageView* view = m_pointerView; view && m_synced) {
        const QRect area = view->refresh();
        if (!area.isEmpty()) view->repaint(area);
    }
    bool changed = !m_synced;
    for (Entry& entry : m_entries) {
        const platform::Control& control = *entry.control;
        if (control.kind == platform::ControlKind::Image) {
            static_cast<ImageView*>(entry.widget)->refresh();
        } else if (control.kind == platform::ControlKind::StatusBar) {
            static_cast<StatusPanels*>(entry.widget)->sync();
        } else if (control.kind == platform::ControlKind::ToolButton) {
            // A checkable button checks and unchecks itself when clicked; the control decides.
            auto* button = static_cast<QToolButton*>(entry.widget);
            const bool down = static_cast<const platform::ToolButton&>(control).down;
            const QSignalBlocker blocker(button);
            if (button->isChecked() != down) button->setChecked(down);
        }
        Shown now = shownOf(control);
        if (m_synced && now == entry.shown) continue;
        const QSignalBlocker blocker(entry.widget);
        syncControl(control, entry.widget, entry.shown, now);
        entry.shown = std::move(now);
        changed = true;
    }
    m_synced = true;
    if (changed)
        for (const Entry& entry : m_entries) syncAccessibleText(*entry.control, entry.widget);
}

// Set only on a change: every setting tells a listening screen reader that the name changed.
void FormWidgets::syncAccessibleText(const platform::Control& control, QWidget* widget) {
    const platform::AccessibleText text = m_form.describe(control);
    const QString name = toQString(text.name), description = toQString(text.description);
    if (widget->accessibleName() != name) widget->setAccessibleName(name);
    if (widget->accessibleDescription() != description) widget->setAccessibleDescription(description);
}

// Sets what differs between what the widget showed before and what its control holds now, and
// everything at the first sync; each kind was built as one widget class by build(), so the casts
// below are exact.
void FormWidgets::syncControl(const platform::Control& control, QWidget* widget, const Shown& before,
                              const Shown& now) {
    const bool all = !m_synced;
    if (all || now.bounds != before.bounds) widget->setGeometry(toQRect(now.bounds));
    if (all || now.enabled != before.enabled) widget->setEnabled(now.enabled);
    if (all || now.visible != before.visible) widget->setVisible(now.visible);
    const bool newCaption = all || now.caption != before.caption;
    const bool newColor = all || now.color != before.color;
    switch (control.kind) {
        case platform::ControlKind::Label: {
            const auto& source = static_cast<const platform::Label&>(control);
            if (source.pictureName.empty() && newCaption)
                static_cast<ClickLabel*>(widget)->setText(toQString(now.caption));
            if (source.opaque && newColor) setColor(widget, now.color);
            break;
        }
        case platform::ControlKind::EditBox: {
            auto* edit = static_cast<QLineEdit*>(widget);
            const QString text = toQString(now.text);
            if (edit->text() != text) edit->setText(text);
            break;
        }
        case platform::ControlKind::Button:
            if (newCaption) static_cast<QPushButton*>(widget)->setText(toQString(now.caption));
            break;
        case platform::ControlKind::GroupBox:
            if (newCaption) static_cast<QGroupBox*>(widget)->setTitle(toQString(now.caption));
            break;
        case platform::ControlKind::Panel:
            if (newColor) setColor(widget, now.color);
            break;
        case platform::ControlKind::UpDown: {
            const auto& upDown = static_cast<const platform::UpDown&>(control);
            setAccessibleValue(*widget, upDown.position, upDown.min, upDown.max);
            break;
        }
        case platform::ControlKind::StatusBar:
        case platform::ControlKind::Image:
        case platform::ControlKind::ToolButton:
            break;
    }
}

}  // namespace platform::qt
