#include "framework/MenuItem.h"

#include "framework/MenuBar.h"
#include "framework/QuitMenuItem.h"
#include "framework/Runtime.h"
#include "framework/qt/ControlImpl.h"
#include "framework/qt/MenuBarView.h"
#include "framework/qt/MenuItemImpl.h"

namespace fw {

void MenuItem::Impl::AddStandIn(QAction* action)
{
    std::erase_if(stand_ins, [](const QPointer<QAction>& a) { return a.isNull(); });
    stand_ins.emplace_back(action);
    Apply(*action);
}

void MenuItem::Impl::Refresh()
{
    for (const auto& action : stand_ins)
        if (action)
            Apply(*action);
}

void MenuItem::Impl::Apply(QAction& action) const
{
    action.setEnabled(owner.m_enabled);
    // A separator is a plain line: no text, not even to assistive technology.
    action.setSeparator(owner.IsSeparator());
    action.setText(owner.IsSeparator() ? QString() : ToQString(owner.m_text));
    if (!owner.m_children.empty())
        return;
    action.setShortcut(KeySequenceOf(owner));
    action.setCheckable(owner.m_checked);
    action.setChecked(owner.m_checked);
}

void MenuItem::Impl::AddView(MenuBarView* view)
{
    std::erase_if(views, [](const QPointer<MenuBarView>& v) { return v.isNull(); });
    views.emplace_back(view);
}

void MenuItem::Impl::TreeChanged()
{
    MenuItem* root = &owner;
    while (root->m_parent)
        root = root->m_parent;
    for (const auto& view : root->m_impl->views)
        if (view)
            view->Rebuild();
}

QKeySequence KeySequenceOf(const MenuItem& item)
{
    if (!item.KeyboardShortcut() || item.KeyboardShortcut()->empty())
        return { };
    QString text = ToQString(*item.KeyboardShortcut());
    text.replace(QLatin1String("Cmd"), QLatin1String("Ctrl"));
    return QKeySequence::fromString(text, QKeySequence::PortableText);
}

MenuItem::MenuItem()
    : m_impl(std::make_unique<Impl>(*this))
{
}

MenuItem::~MenuItem()
{
    for (const auto& child : m_children)
        child->m_parent = nullptr;
}

void MenuItem::SetText(std::string text)
{
    m_text = std::move(text);
    m_impl->Refresh();
}

void MenuItem::SetKeyboardShortcut(std::string shortcut)
{
    m_shortcut = std::move(shortcut);
    m_impl->Refresh();
}

void MenuItem::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    m_impl->Refresh();
}

void MenuItem::SetChecked(bool checked)
{
    m_checked = checked;
    m_impl->Refresh();
}

void MenuItem::Append(std::shared_ptr<MenuItem> item)
{
    if (!item)
        RaiseNilObjectException("menu item to append is nil");
    item->m_parent = this;
    m_children.push_back(std::move(item));
    m_impl->TreeChanged();
}

std::shared_ptr<MenuItem> MenuItem::Child(std::string_view name) const
{
    for (const auto& child : m_children)
        if (child->Name() == name)
            return child;
    return nullptr;
}

std::shared_ptr<MenuItem> MenuItem::FindItem(std::string_view name) const
{
    for (const auto& child : m_children) {
        if (child->Name() == name)
            return child;
        if (auto found = child->FindItem(name))
            return found;
    }
    return nullptr;
}

void QuitMenuItem::DefaultAction()
{
    Quit(0);
}

}
