// The framework's own classes, registered in a fixed order.

#include "framework/AppleMenuItem.h"
#include "framework/Application.h"
#include "framework/BevelButton.h"
#include "framework/Canvas.h"
#include "framework/Control.h"
#include "framework/EditField.h"
#include "framework/FileType.h"
#include "framework/MenuBar.h"
#include "framework/MenuItem.h"
#include "framework/Object.h"
#include "framework/Picture.h"
#include "framework/PushButton.h"
#include "framework/QuitMenuItem.h"
#include "framework/ResourceFork.h"
#include "framework/StaticText.h"
#include "framework/Window.h"

namespace fw {

// The root; every other class gets its record from Subclass.
const ClassRecord& Object::Lookup()
{
    static const ClassRecord record("Object", nullptr);
    return record;
}

// BevelButton is a plug-in control: InitPluginEntrypoints registers it.
void RegisterFrameworkClasses()
{
    Object::Lookup();
    Application::Lookup();
    Window::Lookup();
    Control::Lookup();
    StaticText::Lookup();
    EditField::Lookup();
    PushButton::Lookup();
    Canvas::Lookup();
    MenuItem::Lookup();
    MenuBar::Lookup();
    QuitMenuItem::Lookup();
    AppleMenuItem::Lookup();
    Picture::Lookup();
    ResourceFork::Lookup();
    FileType::Lookup();
}

}
