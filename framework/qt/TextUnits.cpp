#include "qt/TextUnits.h"

#include <algorithm>
#include <limits>

namespace fw {

namespace {

bool IsLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

}

int64_t CharsIn(QStringView text, qsizetype units)
{
    units = std::clamp<qsizetype>(units, 0, text.size());
    const QChar* data = text.data();
    int64_t chars = 0;
    for (qsizetype i = 0; i < units; ++i)
        if (!(data[i].isLowSurrogate() && i > 0 && data[i - 1].isHighSurrogate()))
            ++chars;
    return chars;
}

qsizetype UnitsFor(QStringView text, int64_t chars)
{
    const QChar* data = text.data();
    const qsizetype size = text.size();
    qsizetype i = 0;
    for (int64_t n = 0; n < chars && i < size; ++n)
        i += (data[i].isHighSurrogate() && i + 1 < size && data[i + 1].isLowSurrogate()) ? 2 : 1;
    return i;
}

QString FirstChars(const QString& text, int64_t chars)
{
    return text.left(UnitsFor(text, std::max<int64_t>(0, chars)));
}

int64_t RoomFor(int32_t limit, int64_t length, int64_t selected)
{
    if (limit <= 0)
        return std::numeric_limits<int64_t>::max();
    return std::max<int64_t>(0, int64_t(limit) - (length - selected));
}

QString WithLineFeeds(QString text)
{
    if (std::none_of(text.cbegin(), text.cend(), [](QChar c) { return IsLineBreak(c) && c != u'\n'; }))
        return text;
    QChar* data = text.data();
    const qsizetype size = text.size();
    qsizetype out = 0;
    for (qsizetype in = 0; in < size; ++in) {
        const QChar c = data[in];
        if (!IsLineBreak(c)) {
            data[out++] = c;
            continue;
        }
        data[out++] = u'\n';
        const bool cr_lf = c == u'\r' && in + 1 < size && data[in + 1] == u'\n';
        const bool lf_cr = c == u'\n' && in + 1 < size && data[in + 1] == u'\r';
        if (cr_lf || lf_cr)
            ++in;
    }
    text.truncate(out);
    return text;
}

QString WithoutLineBreaks(QString text)
{
    text.removeIf(IsLineBreak);
    return text;
}

QString ShownInArea(const QString& text, int32_t limit)
{
    const QString flat = WithLineFeeds(text);
    return limit > 0 ? FirstChars(flat, limit) : flat;
}

}
