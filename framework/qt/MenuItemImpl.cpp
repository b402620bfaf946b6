#include "qt/MenuItemImpl.h"

#include "qt/Convert.h"
#include "qt/MenuBarView.h"

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
    action.setEnabled(owner.Enabled());
    // A separator is a plain line: no text, not even to assistive technology.
    action.setSeparator(owner.IsSeparator());
    action.setText(owner.IsSeparator() ? QString() : ToQString(owner.Text()));
    if (!owner.Children().empty())
        return;
    action.setShortcut(KeySequenceOf(owner));
    action.setCheckable(owner.Checked());
    action.setChecked(owner.Checked());
}

void MenuItem::Impl::AddView(MenuBarView* view)
{
    std::erase_if(views, [](const QPointer<MenuBarView>& v) { return v.isNull(); });
    views.emplace_back(view);
}

void MenuItem::Impl::TreeChanged()
{
    const MenuItem* root = &owner;
    while (root->Parent())
        root = root->Parent();
    for (const auto& view : root->GetImpl().views)
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

}
