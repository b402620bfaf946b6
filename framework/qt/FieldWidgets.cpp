#include "qt/FieldWidgets.h"

#include "qt/Convert.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QWidget>

namespace fw {

void ApplyFontAndColors(QWidget& widget, const FieldEditor::Look& look)
{
    widget.setFont(FontFor(look.style));
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Base, ToQColor(look.back_color));
    palette.setColor(QPalette::Text, ToQColor(look.text_color));
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
