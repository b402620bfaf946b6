#pragma once

// Framework-internal: the lists of open windows.

#include <memory>

namespace fw {

class Window;

// Puts an open window first in the front-to-back order; an open modal window
// stays in front of every window it blocks.
void BringToFront(Window& window);
// The open modal window, or nil.
std::shared_ptr<Window> ModalWindow();
// Shows the current menu bars in every open window (after the application's changed).
void RefreshMenuBars();
// At runtime exit: destroys the toolkit side of every window still alive,
// whoever holds it, without raising its events.
void DestroyAllWindows();

}
