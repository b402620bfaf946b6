#pragma once

#include "framework/MenuHandlers.h"
#include "framework/Object.h"
#include "framework/Subclass.h"

#include <exception>
#include <functional>
#include <memory>
#include <string_view>

namespace fw {

class MenuBar;
class MenuItem;

class Application : public Subclass<Object, "Application"> {
public:
    // The application-wide menu bar: shown by every window without one of its own.
    const std::shared_ptr<MenuBar>& GetMenuBar() const { return m_menu_bar; }
    void SetMenuBar(std::shared_ptr<MenuBar> bar);

    // Menu commands by item Name; a command goes to the focused control, then
    // the frontmost window, then the application: the first with a handler for the Name.
    MenuHandlers& Handlers() { return m_handlers; }
    void AddMenuHandler(std::string name, MenuHandler handler) { m_handlers.Add(std::move(name), std::move(handler)); }

    // Raised first in every menu-enabling pass.
    std::function<void()> on_enable_menu_items;
    // Asked first for an exception nothing caught; true means dealt with.
    std::function<bool(std::exception_ptr)> on_unhandled_exception;

private:
    std::shared_ptr<MenuBar> m_menu_bar;
    MenuHandlers m_handlers;
};

// The application object's menu bar, or nil when it has none. A nil
// application object raises NilObjectException.
std::shared_ptr<MenuBar> AppMenuBar();

// The item of that Name anywhere in the application object's menu bar, found
// afresh on every call; nil when the bar has no such item. A nil application
// object or menu bar raises NilObjectException.
std::shared_ptr<MenuItem> AppMenuItem(std::string_view name);

}
