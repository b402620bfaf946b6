#include "framework/qt/DocumentIndex.h"

#include <QTextCursor>

#include <algorithm>

namespace fw {

namespace {

QString TextBetween(QTextDocument& document, int from, int to)
{
    if (from >= to)
        return { };
    // Much of the text is read faster whole (a cursor's selection is put
    // together piece by piece).
    if (int64_t(to - from) * 4 > document.characterCount()) {
        const QString all = document.toRawText();
        return from == 0 && to == all.size() ? all : all.mid(from, to - from);
    }
    QTextCursor cursor(&document);
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    return cursor.selectedText();
}

int64_t Surrogates(QStringView text)
{
    return std::count_if(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); });
}

}

DocumentIndex::~DocumentIndex()
{
    QObject::disconnect(m_connection);
}

void DocumentIndex::Watch(QTextDocument& document)
{
    QObject::disconnect(m_connection);
    m_document = &document;
    m_connection = QObject::connect(&document, &QTextDocument::contentsChange, &document,
        [this](int position, int removed, int added) { Changed(position, removed, added); });
    IndexPairs();
}

int DocumentIndex::Units() const
{
    return m_document ? std::max(0, m_document->characterCount() - 1) : 0;
}

void DocumentIndex::Changed(int position, int removed, int added)
{
    // What the change took out is gone: it is known only when there was nothing to take.
    if (m_surrogates != 0 && (removed > 0 || m_surrogates < 0)) {
        m_surrogates = -1;
    } else {
        const int units = Units();
        const int from = std::clamp(position, 0, units);
        const int to = std::clamp(position + added, from, units);
        m_surrogates += Surrogates(TextBetween(*m_document, from, to));
    }
    m_pairs_known = false;
}

void DocumentIndex::IndexPairs()
{
    const QString text = m_document ? TextBetween(*m_document, 0, Units()) : QString();
    const QChar* data = text.constData();
    m_pair_ends.clear();
    m_surrogates = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!data[i].isSurrogate())
            continue;
        ++m_surrogates;
        if (data[i].isLowSurrogate() && i > 0 && data[i - 1].isHighSurrogate())
            m_pair_ends.push_back(int(i));
    }
    m_pairs_known = true;
}

int64_t DocumentIndex::Characters()
{
    return CharactersBefore(Units());
}

int64_t DocumentIndex::CharactersBefore(int position)
{
    position = std::clamp(position, 0, Units());
    if (m_surrogates != 0 && !m_pairs_known)
        IndexPairs();
    if (m_surrogates == 0)
        return position;
    // Every unit is a character but the low half of a pair.
    return position - (std::lower_bound(m_pair_ends.begin(), m_pair_ends.end(), position) - m_pair_ends.begin());
}

int DocumentIndex::PositionOf(int64_t characters)
{
    characters = std::max<int64_t>(0, characters);
    const int units = Units();
    if (m_surrogates != 0 && !m_pairs_known)
        IndexPairs();
    // The pair ending at m_pair_ends[j] is character m_pair_ends[j] - 1 - j;
    // each pair before character `characters` takes one unit more.
    size_t low = 0, high = m_surrogates == 0 ? 0 : m_pair_ends.size();
    while (low < high) {
        const size_t middle = (low + high) / 2;
        if (m_pair_ends[middle] - 1 - int64_t(middle) < characters)
            low = middle + 1;
        else
            high = middle;
    }
    return int(std::min<int64_t>(characters + int64_t(low), units));
}

}
