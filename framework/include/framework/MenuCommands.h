#pragma once

#include <memory>
#include <string_view>

namespace fw {

class MenuItem;
class Window;

// The menu-enabling pass for a window (the frontmost when none is given), run
// before one of its menus opens and before a shortcut acts: items with
// AutoEnable are enabled when a handler at some level (the window's focused
// control, the window, the application) or the framework takes their command,
// else disabled; then the EnableMenuItems events run: application, window,
// focused control. Last, while a modal window is open, every item whose
// command would reach the application's handlers or a window the modal window
// blocks is disabled.
void RunMenuEnablingPass();
void RunMenuEnablingPass(Window& window);

// Chooses the item as the user would in the window (the frontmost when none is
// given): runs the enabling pass, then, if the item is enabled, sends its
// command to the focused control, the window and the application (the first
// with a handler for its Name), or else runs the framework's own action.
// Returns whether the item was enabled.
bool ChooseMenuItem(const std::shared_ptr<MenuItem>& item);
bool ChooseMenuItem(const std::shared_ptr<MenuItem>& item, Window& window);

}
