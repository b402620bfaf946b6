#pragma once

// Framework-internal: a text field's context menu.

class QObject;
class QWidget;

namespace fw {

class EditField;

// A right click on the field's widget offers the Edit menu's commands for
// the field: the items of those commands in the window's menu bar, with
// their texts, shortcuts, enabling and separators, each chosen as from the
// menu bar. `surface` is the widget the click comes in (a scroll area's
// viewport); `context` ends the offer when it is destroyed.
void OfferEditMenu(EditField& field, QWidget& widget, QWidget& surface, QObject* context);

}
