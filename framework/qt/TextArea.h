#pragma once

// Framework-internal: the widget of a multi-line text field.

#include "qt/DocumentIndex.h"
#include "qt/FieldDrag.h"

#include <QPlainTextEdit>

#include <cstdint>
#include <memory>

namespace fw {

// Every line break that comes in, set, typed, pasted, dropped or from an input
// method, becomes one paragraph break (see WithLineFeeds). The character limit
// is kept at those same doors, so every state of the text, those that Undo
// and Redo bring back included, is within it. A text holding a long run
// without a space wraps every line at the field's edge, which the toolkit
// does in linear time; other texts wrap at word boundaries.
class TextArea : public QPlainTextEdit {
public:
    // Holds the text, cut at the limit.
    TextArea(QWidget* parent, int32_t limit, const QString& text);

    // Most characters the text may hold; 0 is no limit.
    int32_t limit { 0 };

    // The index of the document shown now.
    DocumentIndex& Index();
    int64_t SelectedCharacters();
    // Replaces the whole text, cut at the limit.
    void ShowText(const QString& text);
    // Shows a document made elsewhere, with what its index needs to know of
    // it (DocumentIndex::Learn), as if its text had been set.
    void Adopt(std::unique_ptr<QTextDocument> document, DocumentIndex::Facts facts);

    // Read-only as the field asks, or while a rewrite of the text is pending:
    // either way no path edits the text (keys, paste, drop, undo, an input
    // method), and the pending state ends without touching the field's own.
    void SetReadOnly(bool read_only);
    void SetPending(bool pending);
    bool Pending() const { return m_pending; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

private:
    // Characters that may still go in, in place of the selection.
    int64_t Room();
    // The part of the text, line breaks made LFs, that fits in place of the selection.
    QString Fitting(const QString& text);
    // Wraps anywhere before a long run comes in, so that it is never laid out the slow way.
    void PrepareFor(const QString& text);
    void FollowLongRuns();

    // Whether the dropped text would go in whole, cut at no limit.
    bool TakesWhole(const QDropEvent& event);
    void StopAutoScroll();

    void ApplyReadOnly();

    DocumentIndex m_index;
    FieldDrag m_drag { *this };
    bool m_read_only { false };
    bool m_pending { false };
    // The viewport's own cursor, shown again once the rewrite is in.
    QCursor m_viewport_cursor;
};

}
