#pragma once

// Framework-internal: the windows the framework keeps track of.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

class Window;

// Every window object alive, the open windows front to back, the implicit
// instances, and closed windows kept until the toolkit is done with them.
class WindowList {
public:
    // The one list of the process.
    static WindowList& Get();

    // A window object is made or destroyed, open or not, whoever holds it.
    void AddLive(Window& window);
    void RemoveLive(Window& window);

    // Open window by index, 0 the frontmost; nil when there is no such window.
    std::shared_ptr<Window> Front(int32_t index) const;
    int32_t Count() const;
    // The open implicit instance of the class with that qualified name, or nil.
    std::shared_ptr<Window> Implicit(std::string_view qualified_class_name) const;
    // The open modal window, or nil.
    std::shared_ptr<Window> Modal() const;

    // The window has opened: in front if it shows, else behind every other; the
    // implicit instance of its class.
    void Opened(const std::shared_ptr<Window>& window, bool in_front);
    // Puts an open window first in the front-to-back order; an open modal
    // window stays in front of every window it blocks.
    void BringToFront(Window& window);
    // Puts an open window last: it is minimized, out of the user's sight.
    void SendToBack(Window& window);
    // The window has closed: out of the open windows and the implicit instances.
    void Closed(const Window& window);
    // A closed window is kept alive until ForgetClosed (a window may close
    // from inside one of its own handlers).
    void KeepClosed(std::shared_ptr<Window> window);
    void ForgetClosed(const Window* window);

    // Shows the current menu bars in every open window (after the application's changed).
    void RefreshMenuBars();
    // At runtime exit: destroys the toolkit side of every window still alive,
    // whoever holds it, without raising its events.
    void DestroyAll();

    void ReleaseImplicit() { m_implicit.clear(); }
    void ReleaseClosed() { m_closed.clear(); }
    void ReleaseOpen() { m_open.clear(); }

private:
    // A modal window stays in front of the windows it blocks, whatever else is shown or activated.
    void KeepModalInFront();

    // First, so that it outlives the lists below when a process ends without shutdown.
    std::vector<Window*> m_live;
    // Frontmost first.
    std::vector<std::shared_ptr<Window>> m_open;
    // By qualified class name.
    std::map<std::string, std::shared_ptr<Window>, std::less<>> m_implicit;
    std::vector<std::shared_ptr<Window>> m_closed;
};

}
