#include "framework/qt/TextArea.h"

#include "framework/qt/TextUnits.h"

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

TextArea::TextArea(QWidget* parent)
    : QPlainTextEdit(parent)
{
}

void TextArea::ShowText(const QString& text)
{
    const QString flat = WithLineFeeds(text);
    const QString shown = limit > 0 ? FirstChars(flat, limit) : flat;
    setPlainText(shown);
}

int64_t TextArea::Room()
{
    const QString text = document()->toRawText();
    const QTextCursor cursor = textCursor();
    const int64_t selected = CharsIn(text, cursor.selectionEnd()) - CharsIn(text, cursor.selectionStart());
    return RoomFor(limit, CharsIn(text, text.size()), selected);
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
    if (isReadOnly() || !source || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    const QString fitting = Fitting(source->text());
    QTextCursor cursor = textCursor();
    // Not one undo step with the typing before it, as the toolkit's own paste.
    cursor.beginEditBlock();
    cursor.insertText(fitting);
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

void TextArea::inputMethodEvent(QInputMethodEvent* event)
{
    if (event->commitString().isEmpty()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent fitting(event->preeditString(), event->attributes());
    fitting.setCommitString(Fitting(event->commitString()), event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&fitting);
    event->setAccepted(fitting.isAccepted());
}

}
