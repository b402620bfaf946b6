#include "framework/Canvas.h"

#include "framework/Picture.h"
#include "framework/Runtime.h"
#include "framework/Window.h"
#include "framework/qt/ControlImpl.h"
#include "framework/qt/PictureImpl.h"
#include "framework/qt/WindowImpl.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace fw {

// The canvas's widget: draws the backdrop and turns left-button presses and
// releases into the canvas's MouseDown and MouseUp.
class CanvasWidget : public QWidget {
    Q_OBJECT

public:
    CanvasWidget(Canvas& canvas, QWidget* parent) : QWidget(parent), m_canvas(&canvas) { }

    // The canvas is going: nothing more is reported to it.
    void Forget() { m_canvas = nullptr; }
    Canvas* Owner() const { return m_canvas; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!m_canvas || !m_canvas->Backdrop())
            return;
        QPainter painter(this);
        painter.drawImage(0, 0, m_canvas->Backdrop()->GetImpl().Shown());
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton || !m_canvas) {
            QWidget::mousePressEvent(event);
            return;
        }
        event->accept();
        m_tracking = false;
        const QPoint at = event->position().toPoint();
        bool track = false;
        // A copy: the handler may close the window and with it the canvas.
        if (auto handler = m_canvas->on_mouse_down)
            Deliver([&] { track = handler(at.x(), at.y()); });
        m_tracking = track;
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton) {
            QWidget::mouseReleaseEvent(event);
            return;
        }
        event->accept();
        // The toolkit gives the release to the widget that had the press,
        // wherever the pointer is by then.
        if (!m_tracking || !m_canvas)
            return;
        m_tracking = false;
        const QPoint at = event->position().toPoint();
        if (auto handler = m_canvas->on_mouse_up)
            Deliver([&] { handler(at.x(), at.y()); });
    }

private:
    Canvas* m_canvas;
    bool m_tracking { false };
};

namespace {

// A picture to assistive technology, named like the canvas.
class CanvasAccessible : public QAccessibleWidget {
public:
    explicit CanvasAccessible(CanvasWidget* widget) : QAccessibleWidget(widget, QAccessible::Graphic) { }

    QString text(QAccessible::Text kind) const override
    {
        auto* widget = static_cast<CanvasWidget*>(this->widget());
        if (kind == QAccessible::Name && widget->Owner())
            return ToQString(widget->Owner()->AccessibleName());
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* CanvasAccessibleFactory(const QString&, QObject* object)
{
    if (auto* widget = qobject_cast<CanvasWidget*>(object))
        return new CanvasAccessible(widget);
    return nullptr;
}

}

Canvas::~Canvas()
{
    if (auto* widget = qobject_cast<CanvasWidget*>(m_impl->widget.data()))
        widget->Forget();
}

void Canvas::SetBackdrop(std::shared_ptr<Picture> picture)
{
    m_backdrop = std::move(picture);
    if (m_impl->widget)
        m_impl->widget->update();
}

std::string Canvas::AccessibleName() const
{
    return HelpTag().empty() ? Name() : HelpTag();
}

void Canvas::SetProperty(std::string_view name, const PropertyValue& value)
{
    if (name == "EraseBackground") {
        m_erase_background = BoolOf(value, true);
        ApplyLook();
    } else if (name == "AcceptFocus") {
        m_accept_focus = BoolOf(value);
        ApplyLook();
    } else
        // AcceptTabs and UseFocusRing have no effect on this platform.
        Control::SetProperty(name, value);
}

void Canvas::CreateWidget(Window& window)
{
    // Each time: the toolkit forgets its factories when it goes (see Window).
    QAccessible::installFactory(CanvasAccessibleFactory);

    m_impl->widget = new CanvasWidget(*this, window.GetImpl().Content());
    ApplyCommon();
    ApplyLook();
}

void Canvas::ApplyLook()
{
    QWidget* widget = m_impl->widget;
    if (!widget)
        return;
    widget->setAutoFillBackground(m_erase_background);
    widget->setFocusPolicy(m_accept_focus ? Qt::StrongFocus : Qt::NoFocus);
}

}

#include "Canvas.moc"
