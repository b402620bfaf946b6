#include "qt/TextArea.h"

#include "qt/BusyPointer.h"
#include "qt/Convert.h"
#include "qt/TextUnits.h"

#include <QDragEnterEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

namespace fw {

namespace {

// What the key would put in the text: the toolkit's text widgets insert a
// key's text when it starts with a printable, format (U+200B, U+00AD,
// U+FEFF, ...) or private-use character, a surrogate pair or a tab, unless
// Ctrl (without Alt) is held, which only a format character ignores.
QString Typed(const QKeyEvent& event, bool tab_changes_focus)
{
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return QStringLiteral("\n");
    if (event.key() == Qt::Key_Tab && tab_changes_focus)
        return { };
    const QString text = event.text();
    if (text.isEmpty())
        return { };
    const QChar first = text.at(0);
    if (first.category() == QChar::Other_Format)
        return text;
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ShiftModifier | Qt::ControlModifier))
        return { };
    const bool pair = first.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate();
    if (first.isPrint() || first.category() == QChar::Other_PrivateUse || pair || first == u'\t')
        return text;
    return { };
}

}

TextArea::TextArea(QWidget* parent, int32_t limit_, const QString& text)
    : QPlainTextEdit(parent)
    , limit(limit_)
{
    m_index.on_long_run_changed = [this] { FollowLongRuns(); };
    m_index.Watch(*document());
    ShowText(text);
}

DocumentIndex& TextArea::Index()
{
    if (m_index.Document() != document())
        m_index.Watch(*document());
    return m_index;
}

void TextArea::ShowText(const QString& text)
{
    const BusyPointer busy(text.size());
    const QString shown = ShownInArea(text, limit);
    PrepareFor(shown);
    setPlainText(shown);
}

void TextArea::Adopt(std::unique_ptr<QTextDocument> document, DocumentIndex::Facts facts)
{
    // The index knows the new document before it shows: what the change
    // signals start (the field's TextChange) asks it at once.
    m_index.Watch(*document, std::move(facts));
    document->setParent(this);
    setDocument(document.release());
}

void TextArea::SetReadOnly(bool read_only)
{
    m_read_only = read_only;
    ApplyReadOnly();
}

void TextArea::SetPending(bool pending)
{
    if (pending == m_pending)
        return;
    m_pending = pending;
    ApplyReadOnly();
    if (pending) {
        m_viewport_cursor = viewport()->cursor();
        viewport()->setCursor(Qt::BusyCursor);
    } else {
        viewport()->setCursor(m_viewport_cursor);
    }
}

void TextArea::ApplyReadOnly()
{
    setReadOnly(m_read_only || m_pending);
}

void TextArea::PrepareFor(const QString& text)
{
    if (!Index().HasLongRun() && LongRunIn(text))
        setWordWrapMode(QTextOption::WrapAnywhere);
}

void TextArea::FollowLongRuns()
{
    // Looking for a word boundary, the toolkit would search the rest of a
    // long run again for every line it makes of it.
    setWordWrapMode(m_index.HasLongRun() ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere);
}

int64_t TextArea::SelectedCharacters()
{
    DocumentIndex& index = Index();
    const QTextCursor cursor = textCursor();
    return index.CharactersBefore(cursor.selectionEnd()) - index.CharactersBefore(cursor.selectionStart());
}

int64_t TextArea::Room()
{
    return RoomFor(limit, Index().Characters(), SelectedCharacters());
}

QString TextArea::Fitting(const QString& text)
{
    const QString flat = WithLineFeeds(text);
    return limit > 0 ? FirstChars(flat, Room()) : flat;
}

void TextArea::keyPressEvent(QKeyEvent* event)
{
    if (limit > 0 && !isReadOnly()) {
        const QString typed = Typed(*event, tabChangesFocus());
        if (!typed.isEmpty() && CharsIn(typed, typed.size()) > Room()) {
            event->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

// Pasted or dropped text goes in as plain text, cut to the limit. Inserted
// directly, a huge paste takes less than half the toolkit's own way (a
// document fragment first).
void TextArea::insertFromMimeData(const QMimeData* source)
{
    // The toolkit's own paste inserts into a read-only field too.
    if (isReadOnly())
        return;
    if (!source || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    const QString fitting = Fitting(TextOf(*source));
    const BusyPointer busy(fitting.size());
    PrepareFor(fitting);
    QTextCursor cursor = textCursor();
    // Not one undo step with the typing before it, as the toolkit's own paste.
    cursor.beginEditBlock();
    cursor.insertText(fitting);
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

// Copied text is plain text only: the toolkit's own copy also makes HTML and
// OpenDocument forms of the selection, the first time anyone asks the
// clipboard what it holds, which takes seconds for a huge selection.
QMimeData* TextArea::createMimeDataFromSelection() const
{
    QString text = textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    auto* data = new QMimeData;
    data->setText(text);
    return data;
}

void TextArea::inputMethodEvent(QInputMethodEvent* event)
{
    // The toolkit's field takes an input method's text even when read-only.
    if (isReadOnly()) {
        event->ignore();
        return;
    }
    if (event->commitString().isEmpty()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent fitting(event->preeditString(), event->attributes());
    fitting.setCommitString(Fitting(event->commitString()), event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&fitting);
    event->setAccepted(fitting.isAccepted());
}

void TextArea::mousePressEvent(QMouseEvent* event)
{
    m_drag.Pressed();
    QPlainTextEdit::mousePressEvent(event);
}

void TextArea::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_drag.Allows(*event)) {
        // Sent by the auto-scroll timer, which would go on scrolling.
        StopAutoScroll();
        event->accept();
        return;
    }
    if (m_drag.Run([&] { QPlainTextEdit::mouseMoveEvent(event); }))
        StopAutoScroll();
}

void TextArea::StopAutoScroll()
{
    // The toolkit stops it when a drag leaves the field.
    QDragLeaveEvent leave;
    QPlainTextEdit::dragLeaveEvent(&leave);
}

bool TextArea::TakesWhole(const QDropEvent& event)
{
    if (limit <= 0 || isReadOnly() || !event.mimeData() || !event.mimeData()->hasText())
        return true;
    // A move within the field takes the selection away first.
    const bool within = event.source() == viewport() && event.dropAction() == Qt::MoveAction;
    const QString flat = WithLineFeeds(TextOf(*event.mimeData()));
    return CharsIn(flat, flat.size()) <= RoomFor(limit, Index().Characters(), within ? SelectedCharacters() : 0);
}

void TextArea::dragEnterEvent(QDragEnterEvent* event)
{
    QPlainTextEdit::dragEnterEvent(event);
    FieldDrag::Answer(*event, TakesWhole(*event));
}

void TextArea::dragMoveEvent(QDragMoveEvent* event)
{
    QPlainTextEdit::dragMoveEvent(event);
    FieldDrag::Answer(*event, TakesWhole(*event));
}

void TextArea::dropEvent(QDropEvent* event)
{
    const bool whole = TakesWhole(*event);
    if (!FieldDrag::MayTake(*event, whole)) {
        event->ignore();
        return;
    }
    // As a copy, so that the toolkit does not take the selection away first.
    if (!whole)
        event->setDropAction(Qt::CopyAction);
    QPlainTextEdit::dropEvent(event);
    FieldDrag::Answer(*event, whole);
}

// An input method offers no text to a field that takes none (the toolkit's answers that it does).
QVariant TextArea::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled && isReadOnly())
        return false;
    return QPlainTextEdit::inputMethodQuery(query);
}

}
