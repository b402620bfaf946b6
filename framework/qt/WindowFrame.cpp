#include "qt/WindowFrame.h"

#include "WindowList.h"
#include "framework/Runtime.h"
#include "framework/Window.h"
#include "qt/WindowImpl.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWindow>

namespace fw {

namespace {

// The user's key or click lands in the window the platform has made active.
// So the window it lands in is the frontmost, also where the platform did not
// grant the activation the program asked for (a Wayland compositor may keep
// another window active and say nothing).
class InputWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
            if (!event->spontaneous() || !watched->isWidgetType())
                break;
            if (Window* window = WindowFrame::WindowOf(static_cast<QWidget*>(watched)); window && window->IsOpen())
                WindowList::Get().BringToFront(*window);
            break;
        default:
            break;
        }
        return false;
    }
};

void WatchInput()
{
    static QPointer<InputWatcher> watcher;
    if (!watcher && qApp) {
        watcher = new InputWatcher(qApp);
        qApp->installEventFilter(watcher);
    }
}

}

WindowFrame::WindowFrame(Window& owner)
    : m_owner(owner)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    WatchInput();
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

void WindowFrame::changeEvent(QEvent* event)
{
    // A minimized window is out of sight: the window the user sees in front is another.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && m_owner.IsOpen())
        WindowList::Get().SendToBack(m_owner);
    QWidget::changeEvent(event);
}

// A press that reaches the frame itself is on the edge its children leave
// free: there a frame that draws its own title bar is resized.
void WindowFrame::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || !(windowFlags() & Qt::FramelessWindowHint) || !windowHandle())
        return;
    const QPoint at = event->position().toPoint();
    const int corner = 16;
    Qt::Edges edges;
    if (at.x() < corner)
        edges |= Qt::LeftEdge;
    if (at.x() >= width() - corner)
        edges |= Qt::RightEdge;
    if (at.y() < corner)
        edges |= Qt::TopEdge;
    if (at.y() >= height() - corner)
        edges |= Qt::BottomEdge;
    if (edges)
        windowHandle()->startSystemResize(edges);
}

}
