#include "qt/TextFit.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace fw {

QRectF LineInk(const QFontMetricsF& metrics, const QString& text, const QRectF& box)
{
    const qreal baseline = box.top() + (box.height() - metrics.height()) / 2 + metrics.ascent();
    return metrics.tightBoundingRect(text).translated(box.left(), baseline);
}

bool LineFits(const QFont& font, const QString& text, const QRectF& box)
{
    const QFontMetricsF metrics(font);
    if (metrics.horizontalAdvance(text) > box.width())
        return false;
    const QRectF ink = LineInk(metrics, text, box);
    // A pixel of rounding either way: the toolkit places the line on whole pixels.
    return ink.top() >= box.top() - 1 && ink.bottom() <= box.bottom() + 1;
}

bool WrappedFits(const QFont& font, const QString& text, const QRectF& box)
{
    const QFontMetrics metrics(font);
    const QRect wide(0, 0, static_cast<int>(box.width()), 1 << 20);
    const QRect used = metrics.boundingRect(wide, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    return used.width() <= box.width() && used.height() <= box.height();
}

QFont ShrunkToFit(const QFont& wanted, const std::function<bool(const QFont&)>& fits)
{
    QFont font = wanted;
    const bool points = font.pointSizeF() > 0;
    qreal size = points ? font.pointSizeF() : font.pixelSize();
    while (size > 6 && !fits(font)) {
        // Steps of a twentieth: few tries, and no visible jump between sizes.
        size = std::max<qreal>(6, size * 0.95);
        if (points)
            font.setPointSizeF(size);
        else
            font.setPixelSize(static_cast<int>(std::floor(size)));
    }
    return font;
}

}
