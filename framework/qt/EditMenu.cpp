#include "qt/EditMenu.h"

#include "framework/EditField.h"
#include "framework/MenuCommands.h"
#include "framework/MenuItem.h"
#include "framework/Runtime.h"
#include "framework/Window.h"
#include "qt/Convert.h"
#include "qt/MenuItemImpl.h"

#include <QMenu>

#include <memory>
#include <vector>

namespace fw {

namespace {

void PopUpEditMenu(EditField& field, QWidget& widget, const QPoint& where)
{
    // The commands act on the field the user clicked.
    widget.setFocus(Qt::PopupFocusReason);
    std::vector<std::shared_ptr<MenuItem>> items;
    Deliver([&] { items = OpenFieldMenu(field); });
    if (items.empty())
        return;

    auto* menu = new QMenu(&widget);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const std::weak_ptr<Window> target = field.GetWindow();
    for (const auto& item : items) {
        if (!item) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(ToQString(item->Text()));
        action->setShortcut(KeySequenceOf(*item));
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setEnabled(item->Enabled());
        QObject::connect(action, &QAction::triggered, menu, [item, target] {
            if (const auto window = target.lock())
                Deliver([&] { ChooseMenuItem(item, *window); });
        });
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
