#pragma once

// The pattern every window of the program is built with: controls created in
// tab order, each configured from its design list before any handler is
// bound to it; controls reached by name; one implicit instance per class.

#include "framework/Control.h"
#include "framework/Design.h"
#include "framework/Window.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

// The window's control of that name; raises NilObjectException when there is none.
fw::Control& ControlNamed(fw::Window& window, std::string_view name);

// The same, checked to be of class C.
template<class C>
C& ControlAs(fw::Window& window, std::string_view name)
{
    return fw::CheckCast<C>(ControlNamed(window, name));
}

// A new control of class C added to the window under its name, then found
// again by name and given its design list. `before_design` runs on it first
// (a canvas gets its backdrop there).
template<class C>
void CreateControl(fw::Window& window, const std::string& name, const fw::DesignList& design,
    const std::function<void(C&)>& before_design = { })
{
    window.AddControl(name, window.NewControl<C>());
    if (before_design)
        before_design(ControlAs<C>(window, name));
    fw::SetProperties(ControlAs<C>(window, name), design);
}

// The implicit-instance accessor: the open window of class W, or a new one
// built from its design. It never shows the window.
template<class W>
std::shared_ptr<W> ImplicitInstance()
{
    std::shared_ptr<fw::Window> window = fw::GetImplicitWindow(W::Lookup().Name());
    if (!window) {
        window = std::make_shared<W>();
        window->Construct();
    }
    return fw::CheckCast<W>(window);
}
