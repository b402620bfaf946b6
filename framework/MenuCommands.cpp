#include "framework/MenuCommands.h"

#include "framework/Application.h"
#include "framework/Control.h"
#include "framework/EditField.h"
#include "framework/MenuBar.h"
#include "framework/MenuItem.h"
#include "framework/Runtime.h"
#include "framework/Window.h"
#include "framework/qt/MenuItemImpl.h"

#include <functional>

namespace fw {

namespace {

// Where a menu command can go at this moment.
struct Target {
    std::shared_ptr<Application> app { GetAppObject() };
    std::shared_ptr<Window> window { Window::Get(0) };
    std::shared_ptr<Control> control { window ? window->FocusedControl() : nullptr };

    std::shared_ptr<MenuBar> Bar() const
    {
        if (window)
            return window->ShownMenuBar();
        return app ? app->GetMenuBar() : nullptr;
    }

    const MenuHandler* HandlerFor(std::string_view name) const
    {
        if (control)
            if (const MenuHandler* handler = control->Handlers().Find(name))
                return handler;
        if (window)
            if (const MenuHandler* handler = window->Handlers().Find(name))
                return handler;
        if (app)
            if (const MenuHandler* handler = app->Handlers().Find(name))
                return handler;
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
        return field.HasSelection() && !field.ReadOnly();
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

void ForEachItem(MenuItem& item, const std::function<void(MenuItem&)>& visit)
{
    for (const auto& child : item.Children()) {
        visit(*child);
        ForEachItem(*child, visit);
    }
}

}

void RunMenuEnablingPass()
{
    const Target target;
    if (auto bar = target.Bar()) {
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
}

void DispatchMenuCommand(const std::shared_ptr<MenuItem>& item)
{
    const Target target;
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

bool ChooseMenuItem(const std::shared_ptr<MenuItem>& item)
{
    if (!item)
        RaiseNilObjectException("menu item is nil");
    RunMenuEnablingPass();
    if (!item->Enabled())
        return false;
    DispatchMenuCommand(item);
    return true;
}

}
