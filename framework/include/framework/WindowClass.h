#pragma once

// The pattern every window of the program is built with: controls created in
// tab order, each configured from its design list before any handler is
// bound to it; controls reached by name; one implicit instance per class.

#include "framework/Control.h"
#include "framework/Design.h"
#include "framework/Subclass.h"
#include "framework/Window.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace fw {

// The window's control of that name; raises NilObjectException when there is none.
Control& ControlNamed(Window& window, std::string_view name);

// The same, checked to be of class C.
template<class C>
C& ControlAs(Window& window, std::string_view name)
{
    return CheckCast<C>(ControlNamed(window, name));
}

// A new control of class C added to the window under its name, then found
// again by name and given its design list; returned so that its handlers can
// be bound. `before_design` runs on it first (a canvas gets its backdrop there).
template<class C>
C& CreateControl(Window& window, const std::string& name, const DesignList& design,
    const std::function<void(C&)>& before_design = { })
{
    window.AddControl(name, window.NewControl<C>());
    C& control = ControlAs<C>(window, name);
    if (before_design)
        before_design(control);
    SetProperties(control, design);
    return control;
}

// The implicit-instance accessor: the open window of class W, or a new one
// built from its design. It never calls Show; a window whose design says
// Visible shows as it is built.
template<class W>
std::shared_ptr<W> ImplicitInstance()
{
    std::shared_ptr<Window> window = GetImplicitWindow(W::Lookup().Name());
    if (!window) {
        window = std::make_shared<W>();
        window->Construct();
    }
    return CheckCast<W>(window);
}

// The base of a window class W, named `name` ("W.W": a window class sits in a
// module of its own name):
//
//     class wOm : public fw::WindowClass<wOm, "wOm.wOm"> { ... };
//
// It gives W its record, Get(), its implicit-instance accessor, and binds the
// construction hooks: W's Layout and AddMenuHandlers, and CreateControls
// below, which runs W's CreateControls0. W binds the window events it
// handles in its own constructor.
template<class W, ClassName name>
class WindowClass : public Subclass<Window, name> {
public:
    static std::shared_ptr<W> Get() { return ImplicitInstance<W>(); }

    // The same in every window: its controls are made by its CreateControls0,
    // called through the class so that an override would be the one called.
    virtual void CreateControls() { Self().CreateControls0(); }

protected:
    WindowClass()
    {
        this->on_layout = [this] { Self().Layout(); };
        this->on_create_controls = [this] { CreateControls(); };
        this->on_add_menu_handlers = [this](Window& w) { Self().AddMenuHandlers(w); };
    }

private:
    W& Self() { return static_cast<W&>(*this); }
};

}
