#pragma once

// Framework-internal: the toolkit side of a menu item. A menu (an item with
// children) is a QMenu, any other item a QAction; the same objects show in
// every window's menu bar view.

#include "framework/MenuItem.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <memory>
#include <vector>

namespace fw {

class MenuItem::Impl {
public:
    explicit Impl(MenuItem& owner);
    ~Impl();

    // The action that stands for the item in its parent (a menu's menuAction).
    QAction* Action();
    // The item as a menu, made when it first gets a child.
    QMenu* Menu();
    void Refresh();
    // Shows the children again (one of them became a menu).
    void Rebuild();
    // A menu bar shows this bar's menus in one more window.
    void AddView(QMenuBar* view);

    MenuItem& owner;
    std::unique_ptr<QMenu> menu;
    std::unique_ptr<QAction> action;
    std::vector<QPointer<QMenuBar>> views;
};

// Sends the item's command to the first handler of its Name, or to the framework's own action.
void DispatchMenuCommand(const std::shared_ptr<MenuItem>& item);

// The shortcut's key sequence ("Cmd+W" is Ctrl+W here); empty when it has none.
QKeySequence KeySequenceOf(const MenuItem& item);

}
