#include "platform/qt/menus.h"

#include "platform/qt/accessible_roles.h"
#include "platform/qt/convert.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace platform::qt {

namespace {

// The caption with the item's shortcut after a tab, which the menu shows right-aligned. The action
// itself carries no shortcut: a second registration of the same keys beside the window's own would
// make Qt drop the key as ambiguous whenever the menu bar holds the focus, as it does after Escape
// has closed one of its menus or Alt has been tapped.
QString menuText(const platform::MenuItem& item) {
    const QString caption = toQString(item.caption);
    if (item.shortcut.empty()) return caption;
    return caption + u'\t' + QKeySequence(toQString(item.shortcut)).toString(QKeySequence::NativeText);
}

}  // namespace

Menus::Menus(const std::vector<platform::Menu*>& menuBar, QMenuBar& bar, QWidget& window) {
    for (platform::Menu* source : menuBar) {
        QMenu* menu = bar.addMenu(toQString(source->caption));
        menu->setObjectName(toQString(source->name));
        m_menus[source] = menu;
        QObject::connect(menu, &QMenu::aboutToShow, menu, [this, source] {
            if (onOpen) onOpen(*source);
        });
        for (platform::MenuItem* item : source->items) {
            if (item->caption == "-") {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(menuText(*item));
            action->setObjectName(toQString(item->name));
            setAccessibleMenuItem(*action);
            if (!item->pictureName.empty()) action->setIcon(QIcon(picturePath(item->pictureName)));
            if (!item->shortcut.empty()) addShortcut(item->shortcut, window);
            QObject::connect(action, &QAction::triggered, action, [this, item] {
                if (onChoose) onChoose(*item);
            });
            m_actions[item] = action;
            m_entries.push_back({source, item, action, {item->caption, item->shortcut, item->enabled}});
        }
    }
    for (const Entry& entry : m_entries) entry.action->setEnabled(entry.item->enabled);
}

void Menus::addShortcut(const std::string& shortcut, QWidget& window) {
    const QKeySequence keys(toQString(shortcut));
    auto* key = new QShortcut(keys, &window);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, key, [this, shortcut] {
        if (onShortcut) onShortcut(shortcut);
    });
}

QAction* Menus::action(const platform::MenuItem& item) const {
    const auto found = m_actions.find(&item);
    return found == m_actions.end() ? nullptr : found->second;
}

QMenu* Menus::menu(const platform::Menu& menu) const {
    const auto found = m_menus.find(&menu);
    return found == m_menus.end() ? nullptr : found->second;
}

platform::MenuItem* Menus::itemOf(const QKeySequence& keys) const {
    for (const Entry& entry : m_entries)
        if (!entry.item->shortcut.empty() && QKeySequence(toQString(entry.item->shortcut)) == keys) return entry.item;
    return nullptr;
}

platform::Menu* Menus::menuOf(const platform::MenuItem& item) const {
    for (const Entry& entry : m_entries)
        if (entry.item == &item) return entry.menu;
    return nullptr;
}

void Menus::sync() {
    for (Entry& entry : m_entries) {
        const platform::MenuItem& item = *entry.item;
        Shown& shown = entry.shown;
        if (item.enabled == shown.enabled && item.caption == shown.caption && item.shortcut == shown.shortcut) continue;
        const QSignalBlocker blocker(entry.action);
        if (item.enabled != shown.enabled) entry.action->setEnabled(item.enabled);
        if (item.caption != shown.caption || item.shortcut != shown.shortcut) entry.action->setText(menuText(item));
        shown = {item.caption, item.shortcut, item.enabled};
    }
}

}  // namespace platform::qt
