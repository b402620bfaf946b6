#include "qt/MenuBarView.h"

#include "framework/MenuBar.h"
#include "framework/MenuCommands.h"
#include "framework/Runtime.h"
#include "framework/Window.h"
#include "qt/MenuItemImpl.h"

#include <QApplication>
#include <QMenu>

namespace fw {

MenuBarView::MenuBarView(Window& window, const std::shared_ptr<MenuBar>& bar, QWidget* parent)
    : QMenuBar(parent)
    , m_bar(bar)
    , m_window(window.weak_from_this())
{
    // The bar belongs to this window on every platform.
    setNativeMenuBar(false);
    // A menu opened from the keyboard takes the focus into the bar; remember
    // where it was, so that the commands and the focus can go back there.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (now == this && old && old->window() == this->window())
            m_return_focus = old;
    });
    bar->GetImpl().AddView(this);
    Rebuild();
}

void MenuBarView::Rebuild()
{
    const QList<QAction*> old = actions();
    clear();
    for (QAction* action : old) {
        if (QMenu* menu = action->menu())
            delete menu;
        else if (action->parent() == this)
            delete action;
    }
    if (auto bar = m_bar.lock())
        for (const auto& child : bar->Children())
            addAction(StandInFor(*child, this));
}

QAction* MenuBarView::StandInFor(MenuItem& item, QWidget* parent)
{
    QAction* action = nullptr;
    if (!item.Children().empty()) {
        auto* menu = new QMenu(parent);
        for (const auto& child : item.Children())
            menu->addAction(StandInFor(*child, menu));
        connect(menu, &QMenu::aboutToShow, this, [window = m_window] {
            Deliver([&window] {
                if (auto open = window.lock())
                    RunMenuEnablingPass(*open);
            });
        });
        connect(menu, &QMenu::aboutToHide, this, &MenuBarView::MenuClosed, Qt::QueuedConnection);
        action = menu->menuAction();
    } else {
        action = new QAction(parent);
        // The shortcut only shows here: the window's command keys act on it.
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, [window = m_window, item = item.weak_from_this()] {
            Deliver([&window, &item] {
                auto open = window.lock();
                auto chosen = item.lock();
                if (open && chosen)
                    ChooseMenuItem(chosen, *open);
            });
        });
    }
    item.GetImpl().AddStandIn(action);
    return action;
}

// However a menu closes (Escape, a click elsewhere, an item chosen), the
// keyboard focus goes back to where it was before the bar took it.
void MenuBarView::MenuClosed()
{
    if (!hasFocus() || QApplication::activePopupWidget())
        return;
    if (m_return_focus)
        m_return_focus->setFocus(Qt::MenuBarFocusReason);
    else
        clearFocus();
}

}
