#pragma once

#include "framework/Design.h"
#include "framework/MenuHandlers.h"
#include "framework/Object.h"
#include "framework/Subclass.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace fw {

class Window;

// A control of a window: a rectangle in the window's content area, with the
// four edge locks that move or stretch it when the window is resized.
class Control : public Subclass<Object, "Control">, public PropertyTarget {
public:
    Control();
    ~Control() override;

    const std::string& Name() const { return m_name; }

    int32_t Left() const { return m_left; }
    int32_t Top() const { return m_top; }
    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }
    // The widget, once made, follows at once.
    void SetLeft(int32_t left) { m_left = left; ApplyGeometry(); }
    void SetTop(int32_t top) { m_top = top; ApplyGeometry(); }
    void SetWidth(int32_t width) { m_width = width; ApplyGeometry(); }
    void SetHeight(int32_t height) { m_height = height; ApplyGeometry(); }

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);


    // The window it belongs to; nil once that window is gone.
    std::shared_ptr<Window> GetWindow() const;

    // Control-level menu handlers, tried before the window's and the application's.
    MenuHandlers& Handlers() { return m_handlers; }
    void AddMenuHandler(std::string name, MenuHandler handler) { m_handlers.Add(std::move(name), std::move(handler)); }
    // Raised last in a menu-enabling pass, while this control has the focus.
    std::function<void()> on_enable_menu_items;

    void SetProperty(std::string_view name, const PropertyValue& value) override;

    // Framework side: the control's toolkit widget is made inside its window's content.
    class Impl;
    Impl& GetImpl() const { return *m_impl; }
    virtual void CreateWidget(Window& window) = 0;
    // The window's content was resized by (dx, dy): follow the locks.
    void FollowLocks(int32_t dx, int32_t dy);

protected:
    std::unique_ptr<Impl> m_impl;
    void ApplyGeometry();
    void ApplyCommon();
    const std::string& HelpTag() const { return m_help_tag; }

private:
    std::string m_name;
    std::weak_ptr<Window> m_window;
    MenuHandlers m_handlers;
    int32_t m_left { 0 };
    int32_t m_top { 0 };
    int32_t m_width { 80 };
    int32_t m_height { 22 };
    bool m_enabled { true };
    bool m_visible { true };
    bool m_lock_left { false };
    bool m_lock_top { false };
    bool m_lock_right { false };
    bool m_lock_bottom { false };
    std::string m_help_tag;

    friend class Window;
};

// Font properties shared by the controls that show text.
struct TextStyle {
    std::string font { "System" };
    int32_t size { 0 };   // points; 0 is the platform's default size
    bool bold { false };
    bool italic { false };
    bool underline { false };

    // Takes the property if it is a font property.
    bool Apply(std::string_view name, const PropertyValue& value);
};

}
