#include "qt/FittingLabel.h"

#include <QFontMetricsF>

#include <algorithm>

namespace fw {

void FittingLabel::SetLook(const QFont& font, bool single_line)
{
    m_font = font;
    m_single_line = single_line;
    Refit();
}

void FittingLabel::Refit()
{
    QFont font = m_font;
    if (m_single_line && !text().isEmpty() && width() > 0) {
        const bool points = font.pointSizeF() > 0;
        qreal size = points ? font.pointSizeF() : font.pixelSize();
        while (size > 6 && QFontMetricsF(font).horizontalAdvance(text()) > width()) {
            size = std::max<qreal>(6, size * 0.95);
            if (points)
                font.setPointSizeF(size);
            else
                font.setPixelSize(static_cast<int>(size));
        }
    }
    if (this->font() != font)
        setFont(font);
}

void FittingLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    Refit();
}

}
