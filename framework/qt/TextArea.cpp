#include "qt/TextArea.h"

#include "qt/TextUnits.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

namespace fw {

namespace {

// What the key would put in the text.
QString Typed(const QKeyEvent& event, bool tab_changes_focus)
{
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return QStringLiteral("\n");
    if (event.key() == Qt::Key_Tab && tab_changes_focus)
        return { };
    if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return { };
    const QString text = event.text();
    if (text.isEmpty() || !(text.at(0).isPrint() || text.at(0).isSurrogate() || text.at(0) == u'\t'))
        return { };
    return text;
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
    const QString fitting = Fitting(source->text());
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

// An input method offers no text to a field that takes none (the toolkit's answers that it does).
QVariant TextArea::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled && isReadOnly())
        return false;
    return QPlainTextEdit::inputMethodQuery(query);
}

}
