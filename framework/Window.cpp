#include "framework/Window.h"

#include "framework/Application.h"
#include "framework/Control.h"
#include "framework/EditField.h"
#include "framework/MenuBar.h"
#include "framework/Runtime.h"
#include "framework/qt/ControlImpl.h"
#include "framework/qt/MenuBarView.h"
#include "framework/qt/WindowFrame.h"
#include "framework/qt/WindowImpl.h"
#include "framework/qt/WindowSupport.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <map>
#include <vector>

namespace fw {

namespace {

struct WindowSupport {
    // Every window object alive, open or not, whoever holds it. First, so
    // that it outlives the lists below when a process ends without shutdown.
    std::vector<Window*> live;
    // Open windows, frontmost first.
    std::vector<std::shared_ptr<Window>> windows;
    // Implicit instances by qualified class name.
    std::map<std::string, std::shared_ptr<Window>, std::less<>> implicit;
    // Closed windows kept alive until the toolkit has destroyed their frames
    // (a window may close from inside one of its own handlers).
    std::vector<std::shared_ptr<Window>> dirty;
};

WindowSupport& Support()
{
    static WindowSupport support;
    return support;
}

void Forget(std::vector<std::shared_ptr<Window>>& list, const Window* window)
{
    std::erase_if(list, [window](const auto& w) { return w.get() == window; });
}

// A modal window stays in front of the windows it blocks, whatever else is shown or activated.
void KeepModalInFront()
{
    auto& windows = Support().windows;
    std::stable_partition(windows.begin(), windows.end(), [](const auto& w) { return w->IsModal(); });
}

// A window to assistive technology: a frame, or a dialog, named by its title.
class WindowAccessible : public QAccessibleWidget {
public:
    explicit WindowAccessible(QWidget* frame) : QAccessibleWidget(frame, QAccessible::Window) { }

    QAccessible::Role role() const override
    {
        return widget()->windowType() == Qt::Dialog ? QAccessible::Dialog : QAccessible::Window;
    }
};

QAccessibleInterface* WindowAccessibleFactory(const QString&, QObject* object)
{
    if (auto* frame = dynamic_cast<WindowFrame*>(object))
        return new WindowAccessible(frame);
    return nullptr;
}

}

// --- the frame -------------------------------------------------------------

WindowFrame::WindowFrame(Window& owner)
    : m_owner(owner)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void WindowFrame::PlaceChildren()
{
    auto& impl = m_owner.GetImpl();
    const int bar = impl.MenuBarHeight();
    if (impl.menu_bar_view)
        impl.menu_bar_view->setGeometry(0, 0, width(), bar);
    if (impl.content)
        impl.content->setGeometry(0, bar, width(), std::max(0, height() - bar));
}

void WindowFrame::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceChildren();
}

void WindowFrame::closeEvent(QCloseEvent* event)
{
    if (!m_owner.IsOpen()) {
        event->accept();
        return;
    }
    // The user closes the window: it goes through the same steps as Close().
    event->ignore();
    Deliver([this] { m_owner.Close(); });
}

bool WindowFrame::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && m_owner.IsOpen())
        BringToFront(m_owner);
    return QWidget::event(event);
}

// --- the window's toolkit side -----------------------------------------------

namespace {

// Applies the control locks and raises Resized when the content area changes size.
class ContentWatcher : public QObject {
public:
    ContentWatcher(Window::Impl& impl, QObject* parent) : QObject(parent), m_impl(impl) { }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            m_impl.ContentResized();
        return false;
    }

private:
    Window::Impl& m_impl;
};

}

Window::Impl::Impl(Window& owner_)
    : owner(owner_)
{
    // The toolkit forgets its factories when it goes, and a runtime may follow
    // another in one process; installing one twice does nothing.
    QAccessible::installFactory(WindowAccessibleFactory);

    frame = new WindowFrame(owner);
    content = new QWidget(frame);
    content->installEventFilter(new ContentWatcher(*this, content));
}

Window::Impl::~Impl()
{
    delete frame.data();
}

int Window::Impl::MenuBarHeight() const
{
    if (!menu_bar_view || menu_bar_view->isHidden())
        return 0;
    return menu_bar_view->sizeHint().height();
}

void Window::Impl::ShowMenuBar(const std::shared_ptr<MenuBar>& bar)
{
    if (menu_bar_view) {
        delete menu_bar_view.data();
        menu_bar_view = nullptr;
    }
    if (bar) {
        menu_bar_view = new MenuBarView(owner, bar, frame);
        menu_bar_view->setVisible(owner.m_menu_bar_visible);
    }
    if (frame)
        frame->PlaceChildren();
}

void Window::Impl::ContentResized()
{
    if (!content || !owner.m_open)
        return;
    const int32_t width = content->width();
    const int32_t height = content->height();
    if (known_width < 0) {
        known_width = width;
        known_height = height;
        return;
    }
    const int32_t dx = width - known_width;
    const int32_t dy = height - known_height;
    if (dx == 0 && dy == 0)
        return;
    known_width = width;
    known_height = height;
    owner.m_width = width;
    owner.m_height = height;
    for (const auto& control : owner.Controls())
        control->FollowLocks(dx, dy);
    if (owner.on_resized)
        Deliver(owner.on_resized);
}

Window* WindowOfWidget(const QWidget* widget)
{
    if (!widget)
        return nullptr;
    auto* frame = dynamic_cast<WindowFrame*>(widget->window());
    return frame ? &frame->Owner() : nullptr;
}

// --- the window --------------------------------------------------------------

Window::Window()
    : m_impl(std::make_unique<Impl>(*this))
{
    Support().live.push_back(this);
}

Window::~Window()
{
    std::erase(Support().live, this);
    // Controls go first: their widgets live in the frame.
    m_controls.clear();
}

std::shared_ptr<Window> Window::Get(int32_t index)
{
    auto& windows = Support().windows;
    if (index < 0 || static_cast<size_t>(index) >= windows.size())
        return nullptr;
    return windows[static_cast<size_t>(index)];
}

int32_t WindowCount()
{
    return static_cast<int32_t>(Support().windows.size());
}

std::shared_ptr<Window> GetImplicitWindow(std::string_view qualified_class_name)
{
    auto& implicit = Support().implicit;
    auto found = implicit.find(qualified_class_name);
    if (found == implicit.end() || !found->second->IsOpen())
        return nullptr;
    return found->second;
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
    auto self = shared_from_this();
    auto& support = Support();
    if (m_visible)
        support.windows.insert(support.windows.begin(), self);
    else
        support.windows.push_back(self);
    KeepModalInFront();
    support.implicit[Class().Name()] = self;

    m_impl->ShowMenuBar(ShownMenuBar());
    ApplyGeometry();
    if (m_placement == 2) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            m_impl->frame->move(area.center() - QPoint(m_impl->frame->width() / 2, m_impl->frame->height() / 2));
        }
    }
    FocusFirstTypingField();
    if (m_visible)
        PresentFrame();
    m_impl->known_width = m_impl->content->width();
    m_impl->known_height = m_impl->content->height();
    if (on_open)
        on_open();
}

void Window::Show()
{
    if (!m_open)
        return;
    m_visible = true;
    BringToFront(*this);
    PresentFrame();
}

// On screen. The frontmost window is raised and activated: this one, unless
// a modal window blocks it, which then stays in front.
void Window::PresentFrame()
{
    if (m_full_screen)
        m_impl->frame->showFullScreen();
    else
        m_impl->frame->show();
    auto front = Get(0);
    WindowFrame* top = front ? front->m_impl->frame : m_impl->frame;
    top->raise();
    top->activateWindow();
}

// The first control in tab order that takes typing (an enabled, editable
// text field) gets the focus, its text selected so that typing replaces it.
void Window::FocusFirstTypingField()
{
    for (const auto& [name, control] : m_controls) {
        auto* field = dynamic_cast<EditField*>(control.get());
        if (!field || !field->Enabled() || !field->Visible() || field->ReadOnly() || !field->GetImpl().widget)
            continue;
        field->GetImpl().widget->setFocus(Qt::OtherFocusReason);
        field->SelectAll();
        return;
    }
}

void Window::ShowModal()
{
    if (!m_open)
        return;
    if (m_impl->frame->windowModality() != Qt::ApplicationModal) {
        const bool shown = m_impl->frame->isVisible();
        if (shown)
            m_impl->frame->hide();
        m_impl->frame->setWindowModality(Qt::ApplicationModal);
    }
    Show();
}

bool Window::IsModal() const
{
    return m_impl->frame && m_impl->frame->windowModality() != Qt::NonModal;
}

bool Window::IsVisible() const
{
    return m_impl->frame && m_impl->frame->isVisible();
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

    auto& support = Support();
    Forget(support.windows, this);
    auto implicit = support.implicit.find(Class().Name());
    if (implicit != support.implicit.end() && implicit->second.get() == this)
        support.implicit.erase(implicit);

    // The window may be closing from inside one of its own handlers: it and
    // its widgets are destroyed only once control is back in the event loop.
    if (WindowFrame* frame = m_impl->frame)
        frame->hide();
    support.dirty.push_back(self);
    QMetaObject::invokeMethod(qApp, [raw = this] { Forget(Support().dirty, raw); }, Qt::QueuedConnection);
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
    m_impl->frame->setWindowTitle(ToQString(m_title));
}

void Window::SetMenuBar(std::shared_ptr<MenuBar> bar)
{
    m_menu_bar = std::move(bar);
    if (m_open) {
        m_impl->ShowMenuBar(ShownMenuBar());
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
    QWidget* focus = m_impl->frame ? m_impl->frame->focusWidget() : nullptr;
    // While a menu opened from the keyboard holds the focus in the menu bar,
    // the control it came from still counts.
    if (focus && focus == m_impl->menu_bar_view)
        focus = m_impl->menu_bar_view->ReturnFocus();
    if (!focus)
        return nullptr;
    for (const auto& [name, control] : m_controls) {
        QWidget* widget = control->GetImpl().widget;
        if (widget && (widget == focus || widget->isAncestorOf(focus)))
            return control;
    }
    return nullptr;
}

void Window::ApplyGeometry()
{
    WindowFrame* frame = m_impl->frame;
    if (!frame)
        return;
    const int bar = m_impl->MenuBarHeight();
    Qt::WindowFlags flags = (m_frame == 1 || m_frame == 2) ? Qt::Dialog : Qt::Window;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    if (m_close_button)
        flags |= Qt::WindowCloseButtonHint;
    if (m_minimize_button)
        flags |= Qt::WindowMinimizeButtonHint;
    if (m_maximize_button && m_resizable)
        flags |= Qt::WindowMaximizeButtonHint;
    if (frame->windowFlags() != flags) {
        const bool shown = frame->isVisible();
        frame->setWindowFlags(flags);
        if (shown)
            frame->show();
    }
    if (m_resizable) {
        frame->setMinimumSize(std::max(0, m_min_width), std::max(0, m_min_height) + bar);
        frame->setMaximumSize(std::clamp(m_max_width, 0, QWIDGETSIZE_MAX), std::clamp(m_max_height, 0, QWIDGETSIZE_MAX - bar) + bar);
    } else {
        frame->setFixedSize(std::max(0, m_width), std::max(0, m_height) + bar);
    }
    frame->resize(std::max(0, m_width), std::max(0, m_height) + bar);
    frame->PlaceChildren();
}

void Window::SetProperty(std::string_view name, const PropertyValue& value)
{
    const int32_t* number = std::get_if<int32_t>(&value);
    const bool* flag = std::get_if<bool>(&value);
    const std::string* text = std::get_if<std::string>(&value);
    const Rgb* colour = std::get_if<Rgb>(&value);

    if (number && name == "Width")
        m_width = *number;
    else if (number && name == "Height")
        m_height = *number;
    else if (number && name == "MinWidth")
        m_min_width = *number;
    else if (number && name == "MinHeight")
        m_min_height = *number;
    else if (number && name == "MaxWidth")
        m_max_width = *number;
    else if (number && name == "MaxHeight")
        m_max_height = *number;
    else if (number && name == "Placement")
        m_placement = *number;
    else if (number && name == "Frame")
        m_frame = *number;
    else if (text && name == "Title")
        SetTitle(*text);
    else if (flag && name == "Visible")
        m_visible = *flag;
    else if (flag && name == "FullScreen")
        m_full_screen = *flag;
    else if (flag && name == "MenuBarVisible") {
        m_menu_bar_visible = *flag;
        if (m_impl->menu_bar_view)
            m_impl->menu_bar_view->setVisible(m_menu_bar_visible);
    } else if (flag && name == "CloseButton")
        m_close_button = *flag;
    else if (flag && name == "Resizeable")
        m_resizable = *flag;
    else if (flag && name == "MaximizeButton")
        m_maximize_button = *flag;
    else if (flag && name == "MinimizeButton")
        m_minimize_button = *flag;
    else if (flag && name == "HasBackColor") {
        m_has_back_color = *flag;
        ApplyBackColor();
    } else if (colour && name == "BackColor") {
        m_back_color = *colour;
        ApplyBackColor();
    } else
        return; // Composite, LiveResize, MacProcID, BalloonHelp: nothing to do here.
    if (m_open)
        ApplyGeometry();
}

// Without HasBackColor the window keeps the platform's own background.
void Window::ApplyBackColor()
{
    QWidget* content = m_impl->content;
    content->setAutoFillBackground(m_has_back_color);
    QPalette palette = QApplication::palette(content);
    if (m_has_back_color)
        palette.setColor(QPalette::Window, QColor(m_back_color.red, m_back_color.green, m_back_color.blue));
    content->setPalette(palette);
}

// --- the lists -----------------------------------------------------------------

void BringToFront(Window& window)
{
    auto& windows = Support().windows;
    auto found = std::find_if(windows.begin(), windows.end(), [&](const auto& w) { return w.get() == &window; });
    if (found != windows.end())
        std::rotate(windows.begin(), found, found + 1);
    KeepModalInFront();
}

std::shared_ptr<Window> ModalWindow()
{
    const auto front = Window::Get(0);
    return front && front->IsModal() ? front : nullptr;
}

void RefreshMenuBars()
{
    for (const auto& window : Support().windows)
        if (!window->GetMenuBar())
            window->SetMenuBar(nullptr);
}

void DestroyAllWindows()
{
    auto& support = Support();
    // A window still held anywhere (the lists may be gone already) must not
    // keep toolkit widgets past the toolkit.
    for (Window* window : std::vector<Window*>(support.live)) {
        window->m_open = false;
        delete window->m_impl->frame.data();
    }
    support.windows.clear();
    support.implicit.clear();
    support.dirty.clear();
}

void ReleaseImplicitWindowList()
{
    Support().implicit.clear();
}

void ReleaseDirtyWindows()
{
    Support().dirty.clear();
}

void ReleaseWindowList()
{
    Support().windows.clear();
}

}
