#include "framework/Window.h"

#include "WindowList.h"
#include "framework/Application.h"
#include "framework/Control.h"
#include "framework/EditField.h"
#include "framework/MenuBar.h"
#include "framework/Runtime.h"
#include "qt/WindowImpl.h"

#include <utility>

namespace fw {

Window::Window()
    : m_impl(std::make_unique<Impl>(*this))
{
    WindowList::Get().AddLive(*this);
}

Window::~Window()
{
    WindowList::Get().RemoveLive(*this);
    // Controls go first: their widgets live in the frame.
    m_controls.clear();
}

std::shared_ptr<Window> Window::Get(int32_t index)
{
    return WindowList::Get().Front(index);
}

int32_t WindowCount()
{
    return WindowList::Get().Count();
}

std::shared_ptr<Window> GetImplicitWindow(std::string_view qualified_class_name)
{
    return WindowList::Get().Implicit(qualified_class_name);
}

void Window::Construct()
{
    if (on_layout)
        on_layout();
    if (on_create_controls)
        on_create_controls();
    if (on_add_menu_handlers)
        on_add_menu_handlers(*this);

    m_open = true;
    WindowList::Get().Opened(shared_from_this(), m_visible);

    m_impl->ShowMenuBar(ShownMenuBar(), m_menu_bar_visible);
    ApplyGeometry();
    if (m_placement == 2)
        m_impl->Centre();
    FocusFirstTypingField();
    if (m_visible)
        PresentFrame();
    m_impl->FollowContentSize();
    if (on_open)
        on_open();
}

void Window::Show()
{
    if (!m_open)
        return;
    m_visible = true;
    WindowList::Get().BringToFront(*this);
    PresentFrame();
}

void Window::PresentFrame()
{
    m_impl->Present(m_full_screen);
}

// The first control in tab order that takes typing (an enabled, editable
// text field) gets the focus, its text selected so that typing replaces it.
void Window::FocusFirstTypingField()
{
    for (const auto& [name, control] : m_controls) {
        auto* field = dynamic_cast<EditField*>(control.get());
        if (!field || !field->Enabled() || !field->Visible() || field->ReadOnly() || !m_impl->Focus(*field))
            continue;
        field->SelectAll();
        return;
    }
}

void Window::ShowModal()
{
    if (!m_open)
        return;
    m_impl->MakeModal();
    Show();
}

bool Window::IsModal() const
{
    return m_impl->IsModal();
}

bool Window::IsVisible() const
{
    return m_impl->IsVisible();
}

void Window::Close()
{
    if (!m_open || m_closing)
        return;
    auto self = shared_from_this();
    m_closing = true;
    try {
        if (on_close)
            on_close();
    } catch (...) {
        m_closing = false;
        throw;
    }
    m_closing = false;
    m_open = false;
    WindowList::Get().Closed(*this);
    m_impl->Retire(std::move(self));
}

void Window::Discard()
{
    m_open = false;
    m_impl->DestroyFrame();
}

int32_t Window::Width() const
{
    return m_width;
}

int32_t Window::Height() const
{
    return m_height;
}

void Window::SetWidth(int32_t width)
{
    m_width = width;
    ApplyGeometry();
    RethrowPending();
}

void Window::SetHeight(int32_t height)
{
    m_height = height;
    ApplyGeometry();
    RethrowPending();
}

void Window::SetTitle(std::string title)
{
    m_title = std::move(title);
    m_impl->SetTitle(m_title);
}

void Window::SetMenuBar(std::shared_ptr<MenuBar> bar)
{
    m_menu_bar = std::move(bar);
    if (m_open) {
        m_impl->ShowMenuBar(ShownMenuBar(), m_menu_bar_visible);
        ApplyGeometry();
    }
}

std::shared_ptr<MenuBar> Window::ShownMenuBar() const
{
    if (m_menu_bar)
        return m_menu_bar;
    auto app = GetAppObject();
    return app ? app->GetMenuBar() : nullptr;
}

void Window::AttachControl(Control& control)
{
    control.m_window = weak_from_this();
    control.CreateWidget(*this);
}

void Window::AddControl(std::string name, std::shared_ptr<Control> control)
{
    if (!control)
        return;
    control->m_name = name;
    for (auto& entry : m_controls) {
        if (entry.first == name) {
            entry.second = std::move(control);
            return;
        }
    }
    m_controls.emplace_back(std::move(name), std::move(control));
}

std::shared_ptr<Control> Window::ControlByName(std::string_view name) const
{
    for (const auto& [control_name, control] : m_controls)
        if (control_name == name)
            return control;
    return nullptr;
}

std::vector<std::shared_ptr<Control>> Window::Controls() const
{
    std::vector<std::shared_ptr<Control>> controls;
    controls.reserve(m_controls.size());
    for (const auto& entry : m_controls)
        controls.push_back(entry.second);
    return controls;
}

std::shared_ptr<Control> Window::FocusedControl() const
{
    for (const auto& [name, control] : m_controls)
        if (m_impl->HasFocus(*control))
            return control;
    return nullptr;
}

void Window::ContentResized(int32_t width, int32_t height, int32_t dx, int32_t dy)
{
    m_width = width;
    m_height = height;
    for (const auto& control : Controls())
        control->FollowLocks(dx, dy);
    if (on_resized)
        Deliver(on_resized);
}

void Window::ApplyGeometry()
{
    m_impl->ApplyGeometry({ .width = m_width,
        .height = m_height,
        .min_width = m_min_width,
        .min_height = m_min_height,
        .max_width = m_max_width,
        .max_height = m_max_height,
        .dialog = m_frame == 1 || m_frame == 2, // the modal and the movable modal frames
        .resizable = m_resizable,
        .close_button = m_close_button,
        .minimize_button = m_minimize_button,
        .maximize_button = m_maximize_button });
}

namespace {

// Stores the value in the member the table gives for the name, when it is of
// the member's kind; false otherwise.
template<class T, size_t N>
bool StoreMember(Window& window, const std::pair<std::string_view, T Window::*> (&table)[N],
    std::string_view name, const PropertyValue& value)
{
    const T* typed = std::get_if<T>(&value);
    if (!typed)
        return false;
    for (const auto& [known, member] : table) {
        if (known == name) {
            window.*member = *typed;
            return true;
        }
    }
    return false;
}

}

void Window::SetProperty(std::string_view name, const PropertyValue& value)
{
    // Stored as they come; ApplyGeometry (below, on an open window) and
    // Construct put them into effect.
    static constexpr std::pair<std::string_view, int32_t Window::*> kNumbers[] = {
        { "Width", &Window::m_width },
        { "Height", &Window::m_height },
        { "MinWidth", &Window::m_min_width },
        { "MinHeight", &Window::m_min_height },
        { "MaxWidth", &Window::m_max_width },
        { "MaxHeight", &Window::m_max_height },
        { "Placement", &Window::m_placement },
        { "Frame", &Window::m_frame },
    };
    static constexpr std::pair<std::string_view, bool Window::*> kFlags[] = {
        { "Visible", &Window::m_visible },
        { "FullScreen", &Window::m_full_screen },
        { "CloseButton", &Window::m_close_button },
        { "Resizeable", &Window::m_resizable },
        { "MaximizeButton", &Window::m_maximize_button },
        { "MinimizeButton", &Window::m_minimize_button },
    };

    const bool* flag = std::get_if<bool>(&value);
    const std::string* text = std::get_if<std::string>(&value);
    const Rgb* colour = std::get_if<Rgb>(&value);

    if (text && name == "Title")
        SetTitle(*text);
    else if (flag && name == "MenuBarVisible") {
        m_menu_bar_visible = *flag;
        m_impl->SetMenuBarVisible(m_menu_bar_visible);
    } else if (flag && name == "HasBackColor") {
        m_has_back_color = *flag;
        ApplyBackColor();
    } else if (colour && name == "BackColor") {
        m_back_color = *colour;
        ApplyBackColor();
    } else if (!StoreMember(*this, kNumbers, name, value) && !StoreMember(*this, kFlags, name, value))
        return; // Composite, LiveResize, MacProcID, BalloonHelp: nothing to do here.
    if (m_open)
        ApplyGeometry();
}

void Window::ApplyBackColor()
{
    m_impl->SetBackColor(m_has_back_color, m_back_color);
}

}
