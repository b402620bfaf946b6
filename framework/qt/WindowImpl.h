#pragma once

// Framework-internal: the toolkit side of a window.

#include "framework/Window.h"
#include "qt/WindowFrame.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>

namespace fw {

class MenuBarView;
class TitleBar;

// The window's frame (a top-level widget) with the menu bar on top and the
// content area, where the controls live, below it. The window keeps its
// properties and hands the frame what it needs of them.
class Window::Impl {
public:
    // The frame's size and chrome, from the window's properties.
    struct Geometry {
        int32_t width { 0 };    // of the content area
        int32_t height { 0 };
        int32_t min_width { 0 };
        int32_t min_height { 0 };
        int32_t max_width { 0 };
        int32_t max_height { 0 };
        bool dialog { false };
        bool resizable { false };
        bool close_button { false };
        bool minimize_button { false };
        bool maximize_button { false };
    };

    explicit Impl(Window& owner);
    ~Impl();

    WindowFrame* Frame() const { return m_frame; }
    QWidget* Content() const { return m_content; }
    // Puts the menu bar and the content area in place for the frame's size.
    void PlaceChildren();

    void ShowMenuBar(const std::shared_ptr<MenuBar>& bar, bool visible);
    void SetMenuBarVisible(bool visible);
    void SetTitle(const std::string& title);
    // Without a colour the content keeps the platform's own background.
    void SetBackColor(bool has_back_color, Rgb colour);
    void ApplyGeometry(const Geometry& geometry);
    // In the middle of the screen.
    void Centre();

    // On screen. The frontmost window is raised and activated: this one,
    // unless a modal window blocks it, which then stays in front.
    void Present(bool full_screen);
    void MakeModal();
    bool IsModal() const;
    bool IsVisible() const;
    // Off screen: the window has closed. It is kept alive until control is
    // back in the event loop, since it may be closing from inside one of its
    // own handlers.
    void Retire(std::shared_ptr<Window> window);
    // The frame and every widget in it go (at runtime exit).
    void DestroyFrame();

    // Gives the control's widget the keyboard focus; false when it has none.
    bool Focus(const Control& control);
    // Whether the control's widget has the keyboard focus or holds the widget
    // that has it. While a menu opened from the keyboard holds the focus in
    // the menu bar, the widget it came from still counts.
    bool HasFocus(const Control& control) const;

    // The content's size now is the one the controls were laid out for: each
    // later change moves and stretches them by their locks and raises Resized.
    void FollowContentSize();
    // The content area has been resized.
    void ContentResized();

private:
    int MenuBarHeight() const;
    // The title bar of the window's own and the menu bar, above the content.
    int BarsHeight() const;
    // Margin for the edges that resize a window with a title bar of its own.
    int Edge() const;
    void StayOverFrontWindow();

    Window& m_owner;
    QPointer<WindowFrame> m_frame;
    QPointer<QWidget> m_content;
    QPointer<MenuBarView> m_menu_bar_view;
    QPointer<TitleBar> m_title_bar;
    bool m_resizable { false };
    // Content size the locks were last applied for; -1 before the window opens.
    int32_t m_known_width { -1 };
    int32_t m_known_height { -1 };
};

}
