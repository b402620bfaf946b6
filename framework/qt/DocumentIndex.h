#pragma once

// Framework-internal: what a multi-line field needs to know of its document,
// kept up to date at each change from the changed text alone, so that no
// question about a huge text reads the whole text out.

#include <QMetaObject>
#include <QPointer>
#include <QTextDocument>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace fw {

class DocumentIndex {
public:
    // A run of this many units without a space is a long run.
    static constexpr qsizetype kLongRun = 5000;

    DocumentIndex() = default;
    ~DocumentIndex();
    DocumentIndex(const DocumentIndex&) = delete;
    DocumentIndex& operator=(const DocumentIndex&) = delete;

    // What the index needs to know of a whole text. Learn reads nothing but
    // the text, so a document made off the interface thread is learnt there too.
    struct Facts {
        // Surrogate units, and the position of the low half of each pair, in order.
        int64_t surrogates { 0 };
        std::vector<int> pair_ends;
        std::optional<int> long_run;
    };
    static Facts Learn(QStringView text);

    // Follows this document from now on, learning it afresh, or taking the
    // facts learnt of its text.
    void Watch(QTextDocument& document);
    void Watch(QTextDocument& document, Facts facts);
    QTextDocument* Document() const { return m_document; }

    // Characters (code points) in the document, and before a position (a
    // UTF-16 unit, as the toolkit counts): exact, and without reading the
    // text while it holds no character outside the Basic Multilingual Plane.
    int64_t Characters();
    int64_t CharactersBefore(int position);
    // The position before character `characters`; beyond the last, the end.
    int PositionOf(int64_t characters);

    // Whether the document holds a long run (see kLongRun).
    bool HasLongRun() const { return m_long_run.has_value(); }
    // Raised when that answer changes, inside the change, before the
    // document is laid out again.
    std::function<void()> on_long_run_changed;

private:
    int Units() const;
    void Changed(int position, int removed, int added);
    // Where the pairs are, read from the whole text.
    void IndexPairs();
    void Take(Facts facts);

    QPointer<QTextDocument> m_document;
    QMetaObject::Connection m_connection;
    // Surrogate units in the document (halves of a pair or not); -1 while unknown.
    int64_t m_surrogates { -1 };
    // With surrogates: the position of the low half of each pair, in order.
    std::vector<int> m_pair_ends;
    bool m_pairs_known { false };
    // A position inside a long run, moved along with each change. (Not a
    // QTextCursor: a cursor made or dropped while the document clears itself
    // would be left dangling in the document's own list.)
    std::optional<int> m_long_run;
};

// A long run without a space (see DocumentIndex::kLongRun) in the text: where it starts.
std::optional<qsizetype> LongRunIn(QStringView text);

}
