#pragma once

// Framework-internal: one window's menu bar. It makes menus and actions of
// its own from the shared menu model, so each window's menus belong to that
// window (to assistive technology as well); the model keeps their texts,
// enabling and checks in step, and what they do acts on this window.

#include <QMenuBar>
#include <QPointer>

#include <memory>

namespace fw {

class MenuBar;
class MenuItem;
class Window;

class MenuBarView : public QMenuBar {
public:
    MenuBarView(Window& window, const std::shared_ptr<MenuBar>& bar, QWidget* parent);

    // Makes the menus and actions afresh from the model.
    void Rebuild();
    // While the bar has the keyboard focus: the widget that had it before, or nullptr.
    QWidget* ReturnFocus() const { return m_return_focus; }

private:
    QAction* StandInFor(MenuItem& item, QWidget* parent);
    void MenuClosed();

    std::weak_ptr<MenuBar> m_bar;
    std::weak_ptr<Window> m_window;
    QPointer<QWidget> m_return_focus;
};

}
