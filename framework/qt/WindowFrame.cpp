#include "qt/WindowFrame.h"

#include "WindowList.h"
#include "framework/Runtime.h"
#include "framework/Window.h"
#include "qt/WindowImpl.h"

#include <QCloseEvent>

namespace fw {

WindowFrame::WindowFrame(Window& owner)
    : m_owner(owner)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
}

Window* WindowFrame::WindowOf(const QWidget* widget)
{
    if (!widget)
        return nullptr;
    auto* frame = dynamic_cast<WindowFrame*>(widget->window());
    return frame ? &frame->Owner() : nullptr;
}

void WindowFrame::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_owner.GetImpl().PlaceChildren();
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
        WindowList::Get().BringToFront(m_owner);
    return QWidget::event(event);
}

}
