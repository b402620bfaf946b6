#pragma once

// Framework-internal: what the widgets of both kinds of text field share.

#include "qt/FieldEditor.h"

#include <Qt>

class QWidget;

namespace fw {

// The look's font and colours, on the field's widget.
void ApplyFontAndColors(QWidget& widget, const FieldEditor::Look& look);
// The look's alignment as the toolkit's.
Qt::Alignment AlignmentOf(const FieldEditor::Look& look);
// Whether the clipboard offers text, not the text itself: fetching a huge
// text from it, or converting it, would take seconds.
bool ClipboardOffersText();

}
