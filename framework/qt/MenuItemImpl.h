#pragma once

// Framework-internal: the toolkit side of a menu item. The item holds no
// toolkit object of its own: every window's menu bar view makes its own
// menus and actions from the model (MenuBarView), and the item keeps each
// view's action for it in step with its text, shortcut, enabling and check.

#include "framework/MenuItem.h"

#include <QAction>
#include <QKeySequence>
#include <QPointer>

#include <vector>

namespace fw {

class MenuBarView;

class MenuItem::Impl {
public:
    explicit Impl(MenuItem& owner_) : owner(owner_) { }

    // A view's action for the item (a menu's menuAction), from now on kept in step.
    void AddStandIn(QAction* action);
    // Brings every view's action in step with the item.
    void Refresh();
    // A menu bar shows in one more window.
    void AddView(MenuBarView* view);
    // The tree below the item changed: every view of its menu bar builds its menus afresh.
    void TreeChanged();

    MenuItem& owner;
    std::vector<QPointer<QAction>> stand_ins;
    std::vector<QPointer<MenuBarView>> views;

private:
    void Apply(QAction& action) const;
};

// The shortcut's key sequence ("Cmd+W" is Ctrl+W here); empty when it has none.
QKeySequence KeySequenceOf(const MenuItem& item);

}
