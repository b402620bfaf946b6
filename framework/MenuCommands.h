#pragma once

#include <memory>
#include <string_view>

namespace fw {

class MenuItem;

// The menu-enabling pass for the frontmost window, run before a menu opens
// and before a shortcut acts: items with AutoEnable are enabled when a handler
// at some level (focused control, frontmost window, application) or the
// framework takes their command, else disabled; then the EnableMenuItems
// events run: application, frontmost window, focused control.
void RunMenuEnablingPass();

// Chooses the item as the user would: runs the enabling pass, then, if the
// item is enabled, sends its command to the focused control, the frontmost
// window and the application (the first with a handler for its Name), or
// else runs the framework's own action. Returns whether the item was enabled.
bool ChooseMenuItem(const std::shared_ptr<MenuItem>& item);

}
