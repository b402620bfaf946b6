#include "qt/CanvasWidget.h"

#include "framework/Canvas.h"
#include "framework/Picture.h"
#include "framework/Runtime.h"
#include "qt/PictureImpl.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace fw {

CanvasWidget::CanvasWidget(Canvas& canvas, QWidget* parent)
    : QWidget(parent)
    , m_canvas(&canvas)
{
}

void CanvasWidget::paintEvent(QPaintEvent*)
{
    if (!m_canvas || !m_canvas->Backdrop())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, m_canvas->Backdrop()->GetImpl().Shown());
}

void CanvasWidget::mousePressEvent(QMouseEvent* event)
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

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event)
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

}
