// The class records of the framework's own classes.

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

#define FW_CLASS_RECORD(Class, parent)                      \
    const ClassRecord& Class::Lookup()                      \
    {                                                       \
        static const ClassRecord record(#Class, (parent));  \
        return record;                                      \
    }

FW_CLASS_RECORD(Object, nullptr)
FW_CLASS_RECORD(Application, &Object::Lookup())
FW_CLASS_RECORD(Window, &Object::Lookup())
FW_CLASS_RECORD(Control, &Object::Lookup())
FW_CLASS_RECORD(StaticText, &Control::Lookup())
FW_CLASS_RECORD(EditField, &Control::Lookup())
FW_CLASS_RECORD(PushButton, &Control::Lookup())
FW_CLASS_RECORD(BevelButton, &PushButton::Lookup())
FW_CLASS_RECORD(Canvas, &Control::Lookup())
FW_CLASS_RECORD(MenuItem, &Object::Lookup())
FW_CLASS_RECORD(MenuBar, &MenuItem::Lookup())
FW_CLASS_RECORD(QuitMenuItem, &MenuItem::Lookup())
FW_CLASS_RECORD(AppleMenuItem, &MenuItem::Lookup())
FW_CLASS_RECORD(Picture, &Object::Lookup())
FW_CLASS_RECORD(ResourceFork, &Object::Lookup())
FW_CLASS_RECORD(FileType, &Object::Lookup())

#undef FW_CLASS_RECORD

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
