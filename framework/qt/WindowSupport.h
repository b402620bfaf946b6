#pragma once

// Framework-internal: the lists of open windows.

#include <memory>

namespace fw {

class Window;

// Puts an open window first in the front-to-back order.
void BringToFront(Window& window);
// Shows the current menu bars in every open window (after the application's changed).
void RefreshMenuBars();
// At runtime exit: destroys every window without raising its events.
void DestroyAllWindows();

}
