#include "framework/Application.h"

#include "WindowList.h"
#include "framework/Exceptions.h"
#include "framework/MenuBar.h"
#include "framework/Runtime.h"

namespace fw {

void Application::SetMenuBar(std::shared_ptr<MenuBar> bar)
{
    m_menu_bar = std::move(bar);
    WindowList::Get().RefreshMenuBars();
}

std::shared_ptr<MenuBar> AppMenuBar()
{
    return Require(GetAppObject(), "the application object").GetMenuBar();
}

std::shared_ptr<MenuItem> AppMenuItem(std::string_view name)
{
    return Require(AppMenuBar(), "the application's menu bar").FindItem(name);
}

}
