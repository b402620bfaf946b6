#include "qt/FittingLabel.h"

#include "qt/ControlImpl.h"
#include "qt/Convert.h"
#include "qt/TextFit.h"

#include <QEvent>

#include <algorithm>

namespace fw {

FittingLabel::FittingLabel(QWidget* parent, const std::string& text)
    : QLabel(parent)
{
    // The text is shown as it is, never read as markup.
    setTextFormat(Qt::PlainText);
    setText(ToQString(text));
}

void FittingLabel::SetLook(const Look& look)
{
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (look.text_align == 1)
        horizontal = Qt::AlignHCenter;
    else if (look.text_align == 2)
        horizontal = Qt::AlignRight;
    // One line sits in the middle of its box, so large type shows whole.
    setAlignment(horizontal | (look.multiline ? Qt::AlignTop : Qt::AlignVCenter));
    setWordWrap(look.multiline);
    // Nothing set: the text colour is the desktop's unless the design chose one.
    QPalette palette;
    SetDesignColor(palette, QPalette::WindowText, look.text_color, Look { }.text_color);
    setPalette(palette);
    m_font = FontFor(look.style);
    m_single_line = !look.multiline;
    Refit();
}

void FittingLabel::ShowText(const std::string& text)
{
    setText(ToQString(text));
    Refit();
}

void FittingLabel::Refit()
{
    QFont font = m_font;
    const QString shown = text();
    const QRectF box = TextBox();
    if (!shown.isEmpty() && !box.isEmpty())
        font = ShrunkToFit(m_font, [&](const QFont& candidate) {
            return m_single_line ? LineFits(candidate, shown, box) : WrappedFits(candidate, shown, box);
        });
    if (this->font() != font)
        setFont(font);
}

QRectF FittingLabel::TextBox() const
{
    QRectF box = contentsRect();
    if (m_single_line || !parentWidget())
        return box;
    // Window designs may let a wrapped label's box run under the next control
    // below it; its lines stop where that control begins.
    const QRect mine = geometry();
    for (const QObject* child : parentWidget()->children()) {
        const auto* other = qobject_cast<const QWidget*>(child);
        if (!other || other == this || other->isHidden() || other->isWindow())
            continue;
        const QRect theirs = other->geometry();
        const bool beside = theirs.left() <= mine.right() && theirs.right() >= mine.left();
        if (beside && theirs.top() > mine.top() && theirs.top() <= mine.bottom())
            box.setBottom(std::min(box.bottom(), qreal(theirs.top() - mine.top())));
    }
    return box;
}

bool FittingLabel::event(QEvent* event)
{
    const bool handled = QLabel::event(event);
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Move:
    case QEvent::Show:
        Refit();
        break;
    default:
        break;
    }
    return handled;
}

}
