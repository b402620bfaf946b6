#pragma once

#include "framework/Design.h"
#include "framework/MenuHandlers.h"
#include "framework/Object.h"
#include "framework/Subclass.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

class Control;
class MenuBar;

// A top-level window. The framework owns open windows; a window owns its controls.
//
// A window class sets the event callbacks it implements in its C++
// constructor (its event table); Construct() is the framework's window
// constructor, which runs the three construction hooks.
class Window : public Subclass<Object, "Window">, public PropertyTarget, public std::enable_shared_from_this<Window> {
public:
    Window();
    ~Window() override;

    // Open window by index, 0 the frontmost; nil when there is no such window.
    // The frontmost is the one last shown, activated by the platform, or typed
    // or clicked in; a minimized window goes behind the others. While a modal
    // window is open it is the frontmost.
    static std::shared_ptr<Window> Get(int32_t index);

    // Construction hooks, run in this order by Construct().
    std::function<void()> on_layout;
    std::function<void()> on_create_controls;
    std::function<void(Window&)> on_add_menu_handlers;

    // Window events; an unset callback means the class does not handle the event.
    std::function<void()> on_open;
    std::function<void()> on_close;
    std::function<void()> on_resized;
    std::function<void()> on_enable_menu_items;

    // Runs the construction hooks; then the window is open: in the window
    // list, the implicit instance of its class, on screen if its design says
    // Visible, with the focus in its first field that takes typing (its text
    // selected), and it has had its Open event. An exception from a hook leaves
    // the window unopened and goes on to the caller.
    void Construct();

    bool IsOpen() const { return m_open; }

    // On screen (restored if minimized) and in front, contents kept; behind an
    // open modal window, which stays in front. A window with a modal frame
    // (Frame 1 or 2) is modal whenever it shows.
    void Show();
    // On screen, in front, and modal until it closes, transient for the window
    // in front when it opened. Returns at once.
    void ShowModal();
    // On screen and modal.
    bool IsModal() const;
    bool IsVisible() const;
    // Raises Close, takes the window off screen and out of the window lists.
    void Close();

    // Size of the content area, below the menu bar.
    int32_t Width() const;
    int32_t Height() const;
    void SetWidth(int32_t width);
    void SetHeight(int32_t height);

    std::string Title() const { return m_title; }
    void SetTitle(std::string title);

    // The window's own menu bar, or nil: then it shows the application's.
    const std::shared_ptr<MenuBar>& GetMenuBar() const { return m_menu_bar; }
    void SetMenuBar(std::shared_ptr<MenuBar> bar);
    // The menu bar the window shows: its own, else the application's.
    std::shared_ptr<MenuBar> ShownMenuBar() const;

    // A new control of the class, belonging to this window; add it by name to keep it.
    template<class C>
    std::shared_ptr<C> NewControl()
    {
        auto control = std::make_shared<C>();
        AttachControl(*control);
        return control;
    }
    void AddControl(std::string name, std::shared_ptr<Control> control);
    // The control added under that name, or nil.
    std::shared_ptr<Control> ControlByName(std::string_view name) const;
    // In creation order.
    std::vector<std::shared_ptr<Control>> Controls() const;
    // The control that has the keyboard focus, or nil.
    std::shared_ptr<Control> FocusedControl() const;

    MenuHandlers& Handlers() { return m_handlers; }
    void AddMenuHandler(std::string name, MenuHandler handler) { m_handlers.Add(std::move(name), std::move(handler)); }

    void SetProperty(std::string_view name, const PropertyValue& value) override;

    // The toolkit side, for the framework's own use.
    class Impl;
    Impl& GetImpl() const { return *m_impl; }

private:
    friend class WindowList;

    void AttachControl(Control& control);
    void ApplyGeometry();
    void ApplyBackColor();
    void PresentFrame();
    void FocusFirstTypingField();
    // From the toolkit side: the content area was resized by (dx, dy) to its new size.
    void ContentResized(int32_t width, int32_t height, int32_t dx, int32_t dy);
    // At runtime exit: the window closes without its events and its frame goes.
    void Discard();

    std::unique_ptr<Impl> m_impl;
    std::vector<std::pair<std::string, std::shared_ptr<Control>>> m_controls;
    std::shared_ptr<MenuBar> m_menu_bar;
    MenuHandlers m_handlers;
    std::string m_title;
    int32_t m_width { 300 };
    int32_t m_height { 300 };
    int32_t m_min_width { 64 };
    int32_t m_min_height { 64 };
    int32_t m_max_width { 32000 };
    int32_t m_max_height { 32000 };
    int32_t m_placement { 0 };
    int32_t m_frame { 0 };
    bool m_visible { true };
    bool m_resizable { true };
    bool m_close_button { true };
    bool m_minimize_button { true };
    bool m_maximize_button { true };
    bool m_full_screen { false };
    bool m_menu_bar_visible { true };
    bool m_has_back_color { false };
    Rgb m_back_color { 255, 255, 255 };
    bool m_open { false };
    bool m_closing { false };
};

// The number of open windows.
int32_t WindowCount();

// The open implicit instance of the window class with that qualified name, or nil.
std::shared_ptr<Window> GetImplicitWindow(std::string_view qualified_class_name);

}
