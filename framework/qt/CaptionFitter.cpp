#include "qt/CaptionFitter.h"

#include "qt/TextFit.h"

#include <QEvent>
#include <QStyle>
#include <QStyleOptionButton>

namespace fw {

void CaptionFitter::Watch(QPushButton& button)
{
    if (!button.findChild<CaptionFitter*>(QString(), Qt::FindDirectChildrenOnly))
        new CaptionFitter(button);
}

CaptionFitter::CaptionFitter(QPushButton& button)
    : QObject(&button)
    , m_button(button)
    , m_wanted(button.font())
{
    button.installEventFilter(this);
    Refit();
}

bool CaptionFitter::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::FontChange:
        // A font from outside is the one wanted from now on.
        if (!m_setting_font) {
            m_wanted = m_button.font();
            Refit();
        }
        break;
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::StyleChange:
        Refit();
        break;
    case QEvent::Paint:
        // The button tells no one of a new caption; it is seen before it is drawn.
        if (m_button.text() != m_fitted_caption)
            Refit();
        break;
    default:
        break;
    }
    return false;
}

void CaptionFitter::Refit()
{
    m_fitted_caption = m_button.text();
    QStyleOptionButton option;
    option.initFrom(&m_button);
    option.text = m_fitted_caption;
    if (m_button.isDefault())
        option.features |= QStyleOptionButton::DefaultButton;
    const QRectF box = m_button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &m_button);
    QFont font = m_wanted;
    if (!m_fitted_caption.isEmpty() && !box.isEmpty())
        font = ShrunkToFit(m_wanted, [&](const QFont& candidate) { return LineFits(candidate, m_fitted_caption, box); });
    if (m_button.font() == font)
        return;
    m_setting_font = true;
    m_button.setFont(font);
    m_setting_font = false;
}

}
