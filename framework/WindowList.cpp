#include "WindowList.h"

#include "framework/Runtime.h"
#include "framework/Window.h"

#include <algorithm>

namespace fw {

namespace {

void Forget(std::vector<std::shared_ptr<Window>>& list, const Window* window)
{
    std::erase_if(list, [window](const auto& w) { return w.get() == window; });
}

}

WindowList& WindowList::Get()
{
    static WindowList list;
    return list;
}

void WindowList::AddLive(Window& window)
{
    m_live.push_back(&window);
}

void WindowList::RemoveLive(Window& window)
{
    std::erase(m_live, &window);
}

std::shared_ptr<Window> WindowList::Front(int32_t index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_open.size())
        return nullptr;
    return m_open[static_cast<size_t>(index)];
}

int32_t WindowList::Count() const
{
    return static_cast<int32_t>(m_open.size());
}

std::shared_ptr<Window> WindowList::Implicit(std::string_view qualified_class_name) const
{
    auto found = m_implicit.find(qualified_class_name);
    if (found == m_implicit.end() || !found->second->IsOpen())
        return nullptr;
    return found->second;
}

std::shared_ptr<Window> WindowList::Modal() const
{
    const auto front = Front(0);
    return front && front->IsModal() ? front : nullptr;
}

void WindowList::Opened(const std::shared_ptr<Window>& window, bool in_front)
{
    if (in_front)
        m_open.insert(m_open.begin(), window);
    else
        m_open.push_back(window);
    KeepModalInFront();
    m_implicit[window->Class().Name()] = window;
}

void WindowList::BringToFront(Window& window)
{
    auto found = std::find_if(m_open.begin(), m_open.end(), [&](const auto& w) { return w.get() == &window; });
    if (found != m_open.end())
        std::rotate(m_open.begin(), found, found + 1);
    KeepModalInFront();
}

void WindowList::SendToBack(Window& window)
{
    auto found = std::find_if(m_open.begin(), m_open.end(), [&](const auto& w) { return w.get() == &window; });
    if (found != m_open.end())
        std::rotate(found, found + 1, m_open.end());
    KeepModalInFront();
}

void WindowList::KeepModalInFront()
{
    std::stable_partition(m_open.begin(), m_open.end(), [](const auto& w) { return w->IsModal(); });
}

void WindowList::Closed(const Window& window)
{
    Forget(m_open, &window);
    auto implicit = m_implicit.find(window.Class().Name());
    if (implicit != m_implicit.end() && implicit->second.get() == &window)
        m_implicit.erase(implicit);
}

void WindowList::KeepClosed(std::shared_ptr<Window> window)
{
    m_closed.push_back(std::move(window));
}

void WindowList::ForgetClosed(const Window* window)
{
    Forget(m_closed, window);
}

void WindowList::RefreshMenuBars()
{
    for (const auto& window : m_open)
        if (!window->GetMenuBar())
            window->SetMenuBar(nullptr);
}

void WindowList::DestroyAll()
{
    // A window still held anywhere (the lists may be gone already) must not
    // keep toolkit widgets past the toolkit.
    for (Window* window : std::vector<Window*>(m_live))
        window->Discard();
    m_open.clear();
    m_implicit.clear();
    m_closed.clear();
}

void ReleaseImplicitWindowList()
{
    WindowList::Get().ReleaseImplicit();
}

void ReleaseDirtyWindows()
{
    WindowList::Get().ReleaseClosed();
}

void ReleaseWindowList()
{
    WindowList::Get().ReleaseOpen();
}

}
