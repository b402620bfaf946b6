#include "framework/MenuItem.h"

#include "framework/MenuBar.h"
#include "framework/MenuCommands.h"
#include "framework/QuitMenuItem.h"
#include "framework/Runtime.h"
#include "framework/qt/ControlImpl.h"
#include "framework/qt/MenuItemImpl.h"

namespace fw {

MenuItem::Impl::Impl(MenuItem& owner_)
    : owner(owner_)
{
}

MenuItem::Impl::~Impl()
{
    for (auto& view : views)
        if (view)
            view->clear();
}

QAction* MenuItem::Impl::Action()
{
    if (menu)
        return menu->menuAction();
    if (!action) {
        action = std::make_unique<QAction>();
        // The shortcut only shows here: the window's command keys act on it.
        action->setShortcutContext(Qt::WidgetShortcut);
        QObject::connect(action.get(), &QAction::triggered, action.get(), [this] {
            Deliver([this] { DispatchMenuCommand(owner.shared_from_this()); });
        });
        Refresh();
    }
    return action.get();
}

QMenu* MenuItem::Impl::Menu()
{
    if (!menu) {
        menu = std::make_unique<QMenu>();
        QObject::connect(menu.get(), &QMenu::aboutToShow, menu.get(), [] { Deliver(RunMenuEnablingPass); });
        action.reset();
        Refresh();
        if (owner.m_parent)
            owner.m_parent->GetImpl().Rebuild();
    }
    return menu.get();
}

void MenuItem::Impl::Rebuild()
{
    if (dynamic_cast<MenuBar*>(&owner)) {
        for (auto& view : views) {
            if (!view)
                continue;
            view->clear();
            for (const auto& child : owner.m_children)
                view->addAction(child->GetImpl().Action());
        }
        return;
    }
    if (!menu)
        return;
    menu->clear();
    for (const auto& child : owner.m_children)
        menu->addAction(child->GetImpl().Action());
}

void MenuItem::Impl::Refresh()
{
    const QString text = ToQString(owner.m_text);
    if (menu) {
        menu->setTitle(text);
        menu->menuAction()->setEnabled(owner.m_enabled);
        return;
    }
    if (!action)
        return;
    action->setSeparator(owner.IsSeparator());
    action->setText(text);
    action->setShortcut(KeySequenceOf(owner));
    action->setEnabled(owner.m_enabled);
    action->setCheckable(owner.m_checked);
    action->setChecked(owner.m_checked);
}

void MenuItem::Impl::AddView(QMenuBar* view)
{
    std::erase_if(views, [](const QPointer<QMenuBar>& v) { return v.isNull(); });
    views.emplace_back(view);
    for (const auto& child : owner.m_children)
        view->addAction(child->GetImpl().Action());
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
    m_children.push_back(item);
    if (dynamic_cast<MenuBar*>(this)) {
        for (auto& view : m_impl->views)
            if (view)
                view->addAction(item->GetImpl().Action());
    } else {
        m_impl->Menu()->addAction(item->GetImpl().Action());
    }
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
