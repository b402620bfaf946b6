#include "qt/EditMenu.h"

#include "WindowList.h"
#include "framework/EditField.h"
#include "framework/MenuBar.h"
#include "framework/MenuCommands.h"
#include "framework/Runtime.h"
#include "framework/Window.h"
#include "qt/Convert.h"
#include "qt/MenuItemImpl.h"

#include <QMenu>

#include <algorithm>
#include <array>
#include <functional>

namespace fw {

namespace {

// The Edit menu's commands for a text field.
constexpr std::array kFieldCommands = { "EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll" };

void PopUpEditMenu(EditField& field, QWidget& widget, const QPoint& where)
{
    const auto window = field.GetWindow();
    const auto bar = window ? window->ShownMenuBar() : nullptr;
    if (!bar)
        return;
    // The commands act on the field the user clicked, in its window.
    widget.setFocus(Qt::PopupFocusReason);
    WindowList::Get().BringToFront(*window);
    Deliver([&window] { RunMenuEnablingPass(*window); });

    auto* menu = new QMenu(&widget);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    bool separate = false;
    std::function<void(const MenuItem&)> add = [&](const MenuItem& parent) {
        for (const auto& item : parent.Children()) {
            if (!item->Children().empty()) {
                add(*item);
                separate = !menu->isEmpty();
            } else if (item->IsSeparator()) {
                separate = !menu->isEmpty();
            } else if (std::find(kFieldCommands.begin(), kFieldCommands.end(), item->Name()) != kFieldCommands.end()) {
                if (separate)
                    menu->addSeparator();
                separate = false;
                QAction* action = menu->addAction(ToQString(item->Text()));
                action->setShortcut(KeySequenceOf(*item));
                action->setShortcutContext(Qt::WidgetShortcut);
                action->setEnabled(item->Enabled());
                QObject::connect(action, &QAction::triggered, menu, [item, target = std::weak_ptr<Window>(window)] {
                    if (const auto window = target.lock())
                        Deliver([&] { ChooseMenuItem(item, *window); });
                });
            }
        }
    };
    add(*bar);
    if (menu->isEmpty()) {
        delete menu;
        return;
    }
    menu->popup(where);
}

}

void OfferEditMenu(EditField& field, QWidget& widget, QWidget& surface, QObject* context)
{
    widget.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&widget, &QWidget::customContextMenuRequested, context,
        [&field, &widget, &surface](const QPoint& point) { PopUpEditMenu(field, widget, surface.mapToGlobal(point)); });
}

}
