#include "qt/DocumentIndex.h"

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

// Where the toolkit may wrap a line that does not fit: at a space (one that
// is not a no-break space).
bool IsBreakOpportunity(QChar c)
{
    const char16_t unit = c.unicode();
    if (unit < 0x80)
        return unit == u' ' || (unit >= u'\t' && unit <= u'\r');
    if (unit < 0x100)
        return unit == 0x85;
    return c.isSpace() && c.decompositionTag() != QChar::NoBreak;
}

}

std::optional<qsizetype> LongRunIn(QStringView text)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (IsBreakOpportunity(text[i]))
            start = i + 1;
        else if (i + 1 - start >= DocumentIndex::kLongRun)
            return start;
    }
    return std::nullopt;
}

DocumentIndex::~DocumentIndex()
{
    QObject::disconnect(m_connection);
}

namespace {

void LearnPairs(QStringView text, DocumentIndex::Facts& facts)
{
    facts.surrogates = 0;
    facts.pair_ends.clear();
    const QChar* data = text.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!data[i].isSurrogate())
            continue;
        ++facts.surrogates;
        if (data[i].isLowSurrogate() && i > 0 && data[i - 1].isHighSurrogate())
            facts.pair_ends.push_back(int(i));
    }
}

}

DocumentIndex::Facts DocumentIndex::Learn(QStringView text)
{
    Facts facts;
    LearnPairs(text, facts);
    if (const auto start = LongRunIn(text))
        facts.long_run = int(*start);
    return facts;
}

void DocumentIndex::Watch(QTextDocument& document)
{
    Watch(document, Learn(TextBetween(document, 0, std::max(0, document.characterCount() - 1))));
}

void DocumentIndex::Watch(QTextDocument& document, Facts facts)
{
    QObject::disconnect(m_connection);
    m_document = &document;
    m_connection = QObject::connect(&document, &QTextDocument::contentsChange, &document,
        [this](int position, int removed, int added) { Changed(position, removed, added); });
    Take(std::move(facts));
    if (on_long_run_changed)
        on_long_run_changed();
}

void DocumentIndex::Take(Facts facts)
{
    m_surrogates = facts.surrogates;
    m_pair_ends = std::move(facts.pair_ends);
    m_pairs_known = true;
    m_long_run = facts.long_run;
}

int DocumentIndex::Units() const
{
    return m_document ? std::max(0, m_document->characterCount() - 1) : 0;
}

void DocumentIndex::Changed(int position, int removed, int added)
{
    const int units = Units();
    const int from = std::clamp(position, 0, units);
    const int to = std::clamp(position + added, from, units);
    // The changed text with up to a long run either side: a long run that the
    // change made or lengthened lies across it.
    const int around_from = std::max(0, from - int(kLongRun));
    const int around_to = std::min(units, to + int(kLongRun));
    const QString around = TextBetween(*m_document, around_from, around_to);

    // What the change took out is gone: it is known only when there was nothing to take.
    if (m_surrogates != 0 && (removed > 0 || m_surrogates < 0))
        m_surrogates = -1;
    else
        m_surrogates += Surrogates(QStringView(around).mid(from - around_from, to - from));
    m_pairs_known = false;

    const bool had_long_run = HasLongRun();
    if (m_long_run) {
        int& at = *m_long_run;
        if (at >= position + removed)
            at += added - removed;
        else if (at > position)
            at = position;
        at = std::clamp(at, 0, units);
    }
    if (const auto start = LongRunIn(around)) {
        m_long_run = around_from + int(*start);
    } else if (m_long_run) {
        // The run it knew of may be gone: look where it was, then everywhere.
        const int at = *m_long_run;
        const int near_from = std::max(0, at - int(kLongRun));
        const int near_to = std::min(units, at + int(kLongRun));
        std::optional<qsizetype> start = LongRunIn(TextBetween(*m_document, near_from, near_to));
        int offset = near_from;
        if (!start && !(around_from == 0 && around_to == units)) {
            start = LongRunIn(TextBetween(*m_document, 0, units));
            offset = 0;
        }
        if (start)
            m_long_run = offset + int(*start);
        else
            m_long_run.reset();
    }
    if (had_long_run != HasLongRun() && on_long_run_changed)
        on_long_run_changed();
}

void DocumentIndex::IndexPairs()
{
    Facts facts;
    facts.long_run = m_long_run;
    LearnPairs(m_document ? TextBetween(*m_document, 0, Units()) : QString(), facts);
    Take(std::move(facts));
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
