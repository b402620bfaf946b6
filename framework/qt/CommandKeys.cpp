#include "qt/CommandKeys.h"

#include "framework/MenuBar.h"
#include "framework/MenuCommands.h"
#include "framework/PushButton.h"
#include "framework/Runtime.h"
#include "framework/Window.h"
#include "qt/MenuItemImpl.h"
#include "qt/WindowFrame.h"
#include "qt/Widgets.h"

#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>

#include <functional>

namespace fw {

namespace {

std::shared_ptr<MenuItem> ItemWithShortcut(MenuItem& menu, const QKeySequence& keys)
{
    for (const auto& child : menu.Children()) {
        if (!child->IsSeparator() && !KeySequenceOf(*child).isEmpty() && KeySequenceOf(*child) == keys)
            return child;
        if (auto found = ItemWithShortcut(*child, keys))
            return found;
    }
    return nullptr;
}

PushButton* ButtonWhere(Window& window, const std::function<bool(const PushButton&)>& wanted)
{
    for (const auto& control : window.Controls()) {
        auto* button = dynamic_cast<PushButton*>(control.get());
        if (button && wanted(*button) && button->Enabled() && button->Visible())
            return button;
    }
    return nullptr;
}

}

bool CommandKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    // An open menu handles its own keys.
    if (!widget || qobject_cast<QMenu*>(widget))
        return false;
    Window* window = WindowFrame::WindowOf(widget);
    if (!window || !window->IsOpen())
        return false;

    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        const auto bar = window->ShownMenuBar();
        if (!bar)
            return false;
        const auto item = ItemWithShortcut(*bar, QKeySequence(key->key() | modifiers));
        if (!item)
            return false;
        // A shortcut whose item the enabling pass leaves disabled does nothing.
        Deliver([&item, window] { ChooseMenuItem(item, *window); });
        return true;
    }

    if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier)
        return false;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        // Return belongs to a multi-line text area.
        if (qobject_cast<QPlainTextEdit*>(widget) || (widget->focusProxy() && qobject_cast<QPlainTextEdit*>(widget->focusProxy())))
            return false;
        // A button with the focus is pressed by Return itself; otherwise the default button is.
        PushButton* focused = ButtonWhere(*window, [widget](const PushButton& b) { return WidgetOf(b) == widget; });
        if (PushButton* button = focused ? focused : ButtonWhere(*window, [](const PushButton& b) { return b.IsDefault(); })) {
            Deliver([button] { button->Push(); });
            return true;
        }
    } else if (key->key() == Qt::Key_Escape) {
        if (PushButton* button = ButtonWhere(*window, [](const PushButton& b) { return b.IsCancel(); })) {
            Deliver([button] { button->Push(); });
            return true;
        }
    }
    return false;
}

}
