#include "framework/MenuCommands.h"

#include "WindowList.h"
#include "framework/Application.h"
#include "framework/Control.h"
#include "framework/EditField.h"
#include "framework/MenuBar.h"
#include "framework/MenuItem.h"
#include "framework/Runtime.h"
#include "framework/Window.h"

#include <algorithm>
#include <array>
#include <functional>

namespace fw {

namespace {

// Where a menu command can go at this moment: the window whose menu bar or
// keys it came from (the frontmost when none is given), its focused control,
// the application.
struct Target {
    explicit Target(std::shared_ptr<Window> window_ = Window::Get(0))
        : window(std::move(window_))
        , control(window ? window->FocusedControl() : nullptr)
    {
    }

    std::shared_ptr<Application> app { GetAppObject() };
    std::shared_ptr<Window> window;
    std::shared_ptr<Control> control;

    std::shared_ptr<MenuBar> Bar() const
    {
        if (window)
            return window->ShownMenuBar();
        return app ? app->GetMenuBar() : nullptr;
    }

    enum class Level { None, Control, Window, Application };

    // The level whose handler would take the command of that Name.
    Level LevelFor(std::string_view name) const
    {
        if (control && control->Handlers().Find(name))
            return Level::Control;
        if (window && window->Handlers().Find(name))
            return Level::Window;
        if (app && app->Handlers().Find(name))
            return Level::Application;
        return Level::None;
    }

    const MenuHandler* HandlerFor(std::string_view name) const
    {
        switch (LevelFor(name)) {
        case Level::Control: return control->Handlers().Find(name);
        case Level::Window: return window->Handlers().Find(name);
        case Level::Application: return app->Handlers().Find(name);
        case Level::None: break;
        }
        return nullptr;
    }

    EditField* Field() const { return dynamic_cast<EditField*>(control.get()); }
};

// The text fields' own commands, by the Edit menu's item Names.
bool FieldCanDo(const EditField& field, std::string_view name)
{
    if (name == "EditUndo")
        return field.CanUndo();
    if (name == "EditCut" || name == "EditClear")
        return field.HasSelection() && field.Editable();
    if (name == "EditCopy")
        return field.HasSelection();
    if (name == "EditPaste")
        return field.CanPaste();
    if (name == "EditSelectAll")
        return field.TextLength() > 0;
    return false;
}

void FieldDo(EditField& field, std::string_view name)
{
    if (name == "EditUndo")
        field.Undo();
    else if (name == "EditCut")
        field.Cut();
    else if (name == "EditCopy")
        field.Copy();
    else if (name == "EditPaste")
        field.Paste();
    else if (name == "EditClear")
        field.Clear();
    else if (name == "EditSelectAll")
        field.SelectAll();
}

// The Edit menu's commands that a text field's context menu offers.
constexpr std::array kFieldCommands = { "EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll" };

void ForEachItem(MenuItem& item, const std::function<void(MenuItem&)>& visit)
{
    for (const auto& child : item.Children()) {
        visit(*child);
        ForEachItem(*child, visit);
    }
}

// While a modal window is open, no command may reach a window it blocks or
// the application: only the modal window's own handlers and its focused
// control's stay, and the framework's own actions (Slut, and the Edit
// commands of the modal window's text field).
void KeepCommandsInsideTheModalWindow(const Target& target, MenuBar& bar)
{
    const auto modal = WindowList::Get().Modal();
    if (!modal)
        return;
    const bool in_modal = target.window == modal;
    ForEachItem(bar, [&](MenuItem& item) {
        if (!item.Children().empty() || item.IsSeparator())
            return;
        bool reaches_outside = false;
        switch (target.LevelFor(item.Name())) {
        case Target::Level::Control:
        case Target::Level::Window: reaches_outside = !in_modal; break;
        case Target::Level::Application: reaches_outside = true; break;
        case Target::Level::None: reaches_outside = !in_modal && !item.HasDefaultAction(); break;
        }
        if (reaches_outside)
            item.SetEnabled(false);
    });
}

void RunPass(const Target& target)
{
    const auto bar = target.Bar();
    if (bar) {
        ForEachItem(*bar, [&](MenuItem& item) {
            if (!item.AutoEnable())
                return;
            if (!item.Children().empty() || item.IsSeparator()) {
                item.SetEnabled(true);
                return;
            }
            const EditField* field = target.Field();
            item.SetEnabled(target.HandlerFor(item.Name()) || item.HasDefaultAction()
                || (field && FieldCanDo(*field, item.Name())));
        });
    }
    // Each level may change what the one before it decided.
    if (target.app && target.app->on_enable_menu_items)
        target.app->on_enable_menu_items();
    if (target.window && target.window->on_enable_menu_items)
        target.window->on_enable_menu_items();
    if (target.control && target.control->on_enable_menu_items)
        target.control->on_enable_menu_items();
    if (bar)
        KeepCommandsInsideTheModalWindow(target, *bar);
}

void Dispatch(const Target& target, const std::shared_ptr<MenuItem>& item)
{
    // The handler's result changes nothing further: the first level that has one takes the command.
    if (const MenuHandler* handler = target.HandlerFor(item->Name())) {
        const MenuHandler keep = *handler;
        keep();
        return;
    }
    if (item->HasDefaultAction()) {
        item->DefaultAction();
        return;
    }
    if (EditField* field = target.Field())
        if (FieldCanDo(*field, item->Name()))
            FieldDo(*field, item->Name());
}

bool Choose(const Target& target, const std::shared_ptr<MenuItem>& item)
{
    if (!item)
        RaiseNilObjectException("menu item is nil");
    RunPass(target);
    if (!item->Enabled())
        return false;
    Dispatch(target, item);
    return true;
}

}

void RunMenuEnablingPass()
{
    RunPass(Target());
}

void RunMenuEnablingPass(Window& window)
{
    RunPass(Target(window.shared_from_this()));
}

bool ChooseMenuItem(const std::shared_ptr<MenuItem>& item)
{
    return Choose(Target(), item);
}

bool ChooseMenuItem(const std::shared_ptr<MenuItem>& item, Window& window)
{
    return Choose(Target(window.shared_from_this()), item);
}

std::vector<std::shared_ptr<MenuItem>> OpenFieldMenu(EditField& field)
{
    const auto window = field.GetWindow();
    const auto bar = window ? window->ShownMenuBar() : nullptr;
    if (!bar)
        return { };
    // The commands act on the field the user clicked, in its window.
    WindowList::Get().BringToFront(*window);
    RunPass(Target(window));

    std::vector<std::shared_ptr<MenuItem>> items;
    bool separate = false;
    std::function<void(const MenuItem&)> add = [&](const MenuItem& parent) {
        for (const auto& item : parent.Children()) {
            if (!item->Children().empty()) {
                add(*item);
                separate = !items.empty();
            } else if (item->IsSeparator()) {
                separate = !items.empty();
            } else if (std::find(kFieldCommands.begin(), kFieldCommands.end(), item->Name()) != kFieldCommands.end()) {
                if (separate)
                    items.push_back(nullptr);
                separate = false;
                items.push_back(item);
            }
        }
    };
    add(*bar);
    return items;
}

}
