#include "framework/Application.h"

#include "framework/MenuBar.h"
#include "framework/qt/WindowSupport.h"

namespace fw {

void Application::SetMenuBar(std::shared_ptr<MenuBar> bar)
{
    m_menu_bar = std::move(bar);
    RefreshMenuBars();
}

}
