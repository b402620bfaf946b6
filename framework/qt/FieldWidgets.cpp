#include "qt/FieldWidgets.h"

#include "qt/ControlImpl.h"
#include "qt/Convert.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QWidget>

namespace fw {

void ApplyFontAndColors(QWidget& widget, const FieldEditor::Look& look)
{
    widget.setFont(FontFor(look.style));
    // Nothing set: every colour the design leaves at its default is the desktop's.
    QPalette palette;
    SetDesignColor(palette, QPalette::Base, look.back_color, FieldEditor::Look { }.back_color);
    SetDesignColor(palette, QPalette::Text, look.text_color, FieldEditor::Look { }.text_color);
    widget.setPalette(palette);
}

Qt::Alignment AlignmentOf(const FieldEditor::Look& look)
{
    if (look.alignment == 2)
        return Qt::AlignHCenter;
    if (look.alignment == 3)
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

bool ClipboardOffersText()
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data && data->hasText();
}

}
