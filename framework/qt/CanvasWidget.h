#pragma once

// Framework-internal: the widget of a canvas.

#include <QWidget>

namespace fw {

class Canvas;

// Draws the canvas's backdrop and turns left-button presses and releases
// into the canvas's MouseDown and MouseUp.
class CanvasWidget : public QWidget {
    Q_OBJECT

public:
    CanvasWidget(Canvas& canvas, QWidget* parent);

    // The canvas is going: nothing more is reported to it.
    void Forget() { m_canvas = nullptr; }
    Canvas* Owner() const { return m_canvas; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Canvas* m_canvas;
    bool m_tracking { false };
};

}
