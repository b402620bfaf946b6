#pragma once

// Framework-internal: the toolkit side of a window.

#include "framework/Window.h"

#include <QPointer>
#include <QWidget>

namespace fw {

class MenuBarView;
class WindowFrame;

class Window::Impl {
public:
    explicit Impl(Window& owner);
    ~Impl();

    Window& owner;
    QPointer<WindowFrame> frame;    // the top-level widget
    QPointer<QWidget> content;      // the content area the controls live in
    QPointer<MenuBarView> menu_bar_view;
    int32_t known_width { -1 };     // content size the locks were last applied for
    int32_t known_height { -1 };

    QWidget* Content() const { return content; }
    int MenuBarHeight() const;
    void ShowMenuBar(const std::shared_ptr<MenuBar>& bar);
    void ContentResized();
};

// Finds the framework window of a toolkit widget, or nullptr.
Window* WindowOfWidget(const QWidget* widget);

}
