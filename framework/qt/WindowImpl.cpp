#include "qt/WindowImpl.h"

#include "WindowList.h"
#include "qt/ContentWatcher.h"
#include "qt/Convert.h"
#include "qt/InstallAccessible.h"
#include "qt/MenuBarView.h"
#include "qt/TitleBar.h"
#include "qt/WindowAccessible.h"
#include "qt/WindowFrame.h"
#include "qt/Widgets.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace fw {

Window::Impl::Impl(Window& owner)
    : m_owner(owner)
{
    InstallAccessible<WindowFrame, WindowAccessible>();
    m_frame = new WindowFrame(owner);
    m_content = new QWidget(m_frame);
    m_content->installEventFilter(new ContentWatcher(*this, m_content));
}

Window::Impl::~Impl()
{
    delete m_frame.data();
}

int Window::Impl::MenuBarHeight() const
{
    if (!m_menu_bar_view || m_menu_bar_view->isHidden())
        return 0;
    return m_menu_bar_view->sizeHint().height();
}

int Window::Impl::BarsHeight() const
{
    return (m_title_bar ? m_title_bar->sizeHint().height() : 0) + MenuBarHeight();
}

int Window::Impl::Edge() const
{
    return m_title_bar && m_resizable ? 4 : 0;
}

void Window::Impl::PlaceChildren()
{
    if (!m_frame)
        return;
    const int edge = Edge();
    const int width = std::max(0, m_frame->width() - 2 * edge);
    int top = edge;
    if (m_title_bar) {
        m_title_bar->setGeometry(edge, top, width, m_title_bar->sizeHint().height());
        top += m_title_bar->height();
    }
    const int bar = MenuBarHeight();
    if (m_menu_bar_view)
        m_menu_bar_view->setGeometry(edge, top, width, bar);
    if (m_content)
        m_content->setGeometry(edge, top + bar, width, std::max(0, m_frame->height() - top - bar - edge));
}

void Window::Impl::ShowMenuBar(const std::shared_ptr<MenuBar>& bar, bool visible)
{
    if (m_menu_bar_view) {
        delete m_menu_bar_view.data();
        m_menu_bar_view = nullptr;
    }
    if (bar) {
        m_menu_bar_view = new MenuBarView(m_owner, bar, m_frame);
        m_menu_bar_view->setVisible(visible);
    }
    PlaceChildren();
}

void Window::Impl::SetMenuBarVisible(bool visible)
{
    if (m_menu_bar_view)
        m_menu_bar_view->setVisible(visible);
}

void Window::Impl::SetTitle(const std::string& title)
{
    m_frame->setWindowTitle(ToQString(title));
}

void Window::Impl::SetBackColor(bool has_back_color, Rgb colour)
{
    m_content->setAutoFillBackground(has_back_color);
    QPalette palette = QApplication::palette(m_content);
    if (has_back_color)
        palette.setColor(QPalette::Window, ToQColor(colour));
    m_content->setPalette(palette);
}

void Window::Impl::ApplyGeometry(const Geometry& geometry)
{
    if (!m_frame)
        return;
    Qt::WindowFlags flags = geometry.dialog ? Qt::Dialog : Qt::Window;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    if (geometry.close_button)
        flags |= Qt::WindowCloseButtonHint;
    if (geometry.minimize_button)
        flags |= Qt::WindowMinimizeButtonHint;
    if (geometry.maximize_button && geometry.resizable)
        flags |= Qt::WindowMaximizeButtonHint;
    // Where the toolkit's own title bar would show every button, a window
    // that forbids one draws a bar of its own with the buttons it allows.
    const bool maximizable = geometry.maximize_button && geometry.resizable;
    if (TitleBar::Wanted() && !(geometry.close_button && geometry.minimize_button && maximizable)) {
        // The button hints would take the frameless hint away again.
        flags = (flags & Qt::WindowType_Mask) | Qt::FramelessWindowHint;
        if (!m_title_bar) {
            m_title_bar = new TitleBar(m_frame);
            m_title_bar->show();
        }
        m_title_bar->SetButtons(geometry.minimize_button, maximizable, geometry.close_button);
    } else if (m_title_bar) {
        delete m_title_bar.data();
    }
    m_resizable = geometry.resizable;
    if (m_frame->windowFlags() != flags) {
        const bool shown = m_frame->isVisible();
        m_frame->setWindowFlags(flags);
        if (shown)
            m_frame->show();
    }
    // The modal frames are modal from their first showing on, so that their
    // toplevel is made once, modal to the window manager as well.
    if (geometry.dialog && !m_frame->isVisible())
        m_frame->setWindowModality(Qt::ApplicationModal);
    const int bar = BarsHeight() + 2 * Edge();
    const int width = std::max(0, geometry.width) + 2 * Edge();
    const int height = std::max(0, geometry.height) + bar;
    if (geometry.resizable) {
        m_frame->setMinimumSize(std::max(0, geometry.min_width) + 2 * Edge(), std::max(0, geometry.min_height) + bar);
        m_frame->setMaximumSize(std::clamp(geometry.max_width, 0, QWIDGETSIZE_MAX - 2 * Edge()) + 2 * Edge(),
            std::clamp(geometry.max_height, 0, QWIDGETSIZE_MAX - bar) + bar);
    } else {
        m_frame->setFixedSize(width, height);
    }
    m_frame->resize(width, height);
    PlaceChildren();
}

void Window::Impl::Centre()
{
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        m_frame->move(area.center() - QPoint(m_frame->width() / 2, m_frame->height() / 2));
    }
}

void Window::Impl::Present(bool full_screen)
{
    if (!m_frame->isVisible() && m_frame->windowModality() != Qt::NonModal)
        StayOverFrontWindow();
    if (m_frame->isMinimized())
        m_frame->setWindowState(m_frame->windowState() & ~Qt::WindowMinimized);
    if (full_screen)
        m_frame->showFullScreen();
    else
        m_frame->show();
    const auto front = Window::Get(0);
    WindowFrame* top = front ? front->m_impl->m_frame : m_frame;
    top->raise();
    top->activateWindow();
}

// A modal window is transient for the window in front when it opens: the
// window manager or compositor keeps it above that one and places it there.
void Window::Impl::StayOverFrontWindow()
{
    QWindow* parent = nullptr;
    for (int32_t i = 0; auto window = Window::Get(i); ++i) {
        WindowFrame* frame = window->m_impl->m_frame;
        if (window.get() != &m_owner && frame && frame->isVisible() && !frame->isMinimized()) {
            parent = frame->windowHandle();
            break;
        }
    }
    if (!m_frame->windowHandle())
        m_frame->winId();
    m_frame->windowHandle()->setTransientParent(parent);
}

void Window::Impl::MakeModal()
{
    if (m_frame->windowModality() == Qt::ApplicationModal)
        return;
    // The toolkit takes a new modality only while the frame is hidden.
    if (m_frame->isVisible())
        m_frame->hide();
    m_frame->setWindowModality(Qt::ApplicationModal);
}

bool Window::Impl::IsModal() const
{
    return m_frame && m_frame->isVisible() && m_frame->windowModality() != Qt::NonModal;
}

bool Window::Impl::IsVisible() const
{
    return m_frame && m_frame->isVisible();
}

void Window::Impl::Retire(std::shared_ptr<Window> window)
{
    if (m_frame)
        m_frame->hide();
    WindowList::Get().KeepClosed(std::move(window));
    QMetaObject::invokeMethod(qApp, [raw = &m_owner] { WindowList::Get().ForgetClosed(raw); }, Qt::QueuedConnection);
}

void Window::Impl::DestroyFrame()
{
    delete m_frame.data();
}

bool Window::Impl::Focus(const Control& control)
{
    QWidget* widget = WidgetOf(control);
    if (!widget)
        return false;
    widget->setFocus(Qt::OtherFocusReason);
    return true;
}

bool Window::Impl::HasFocus(const Control& control) const
{
    QWidget* focus = m_frame ? m_frame->focusWidget() : nullptr;
    if (focus && focus == m_menu_bar_view)
        focus = m_menu_bar_view->ReturnFocus();
    QWidget* widget = WidgetOf(control);
    return focus && widget && (widget == focus || widget->isAncestorOf(focus));
}

void Window::Impl::FollowContentSize()
{
    m_known_width = m_content->width();
    m_known_height = m_content->height();
}

void Window::Impl::ContentResized()
{
    if (!m_content || !m_owner.IsOpen())
        return;
    const int32_t width = m_content->width();
    const int32_t height = m_content->height();
    if (m_known_width < 0) {
        m_known_width = width;
        m_known_height = height;
        return;
    }
    const int32_t dx = width - m_known_width;
    const int32_t dy = height - m_known_height;
    if (dx == 0 && dy == 0)
        return;
    m_known_width = width;
    m_known_height = height;
    m_owner.ContentResized(width, height, dx, dy);
}

}
