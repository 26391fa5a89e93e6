#pragma once

#include "platform/controls.h"

#include <QKeySequence>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace platform::qt {

// The main menu built once from a menu bar's menus. A chosen item and a pressed shortcut go out through
// the callbacks, so that the Edit menu's opening handler runs before its shortcuts are carried out;
// a shortcut works even while its item shows disabled, because that handler may enable it. Each
// shortcut is registered once, on the window, and works wherever the focus is in it.
class Menus {
public:
    Menus(const std::vector<platform::Menu*>& menuBar, QMenuBar& bar, QWidget& window);

    QAction* action(const platform::MenuItem& item) const;
    QMenu* menu(const platform::Menu& menu) const;
    // The item that owns a key sequence and the menu it is in; null when no item owns it.
    platform::MenuItem* itemOf(const QKeySequence& keys) const;
    platform::Menu* menuOf(const platform::MenuItem& item) const;

    // Sets an item's enabled state and text only when they differ from what the action shows.
    void sync();

    std::function<void(platform::MenuItem&)> onChoose;
    std::function<void(const std::string& shortcut)> onShortcut;
    std::function<void(platform::Menu&)> onOpen;

private:
    void addShortcut(const std::string& shortcut, QWidget& window);

    // What an action shows, as last copied from its item.
    struct Shown {
        std::string caption;
        std::string shortcut;
        bool enabled = true;
    };
    struct Entry {
        platform::Menu* menu;
        platform::MenuItem* item;
        QAction* action;
        Shown shown;
    };

    std::map<const platform::MenuItem*, QAction*> m_actions;
    std::vector<Entry> m_entries;
    std::map<const platform::Menu*, QMenu*> m_menus;
};

}  // namespace platform::qt
