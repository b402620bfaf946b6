#pragma once

// Framework-internal: the toolkit widgets behind framework objects, for the
// Qt side and for the tests and benchmarks that drive them.

class QWidget;

namespace fw {

class Control;
class Window;

// The control's widget; nullptr once its window is gone.
QWidget* WidgetOf(const Control& control);
// The window's top-level widget; nullptr once it is destroyed.
QWidget* FrameOf(const Window& window);

}
