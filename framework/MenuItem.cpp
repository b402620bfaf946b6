#include "framework/MenuItem.h"

#include "qt/MenuItemImpl.h"

namespace fw {

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

}
