#pragma once

#include <memory>
#include <string_view>
#include <vector>

namespace fw {

class EditField;
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

// A right click in the text field asks for its context menu: the field's
// window comes to the front and the enabling pass runs there; the result is
// the items of the field's Edit commands in that window's menu bar, in menu
// order, with a null item where a separator falls between two of them (empty
// when the window shows no menu bar).
std::vector<std::shared_ptr<MenuItem>> OpenFieldMenu(EditField& field);

}
