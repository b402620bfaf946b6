#pragma once

// Framework-internal: the top-level widget of a window: the menu bar on top,
// the content area below it.

#include <QWidget>

namespace fw {

class Window;

class WindowFrame : public QWidget {
public:
    explicit WindowFrame(Window& owner);

    Window& Owner() const { return m_owner; }
    // The framework window of a toolkit widget, or nullptr.
    static Window* WindowOf(const QWidget* widget);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Window& m_owner;
};

}
