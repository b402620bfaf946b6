#include "qt/TextLine.h"

#include "qt/BusyPointer.h"
#include "qt/Convert.h"
#include "qt/TextUnits.h"

#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QValidator>

#include <algorithm>
#include <climits>

namespace fw {

namespace {

// The toolkit asks its validator about every change of the text, whichever
// way it comes: so the limit is kept here, on the text the toolkit would
// hold, whatever character it decided to insert.
class LimitKeeper final : public QValidator {
public:
    explicit LimitKeeper(TextLine& line)
        : QValidator(&line)
        , m_line(line)
    {
    }

    State validate(QString& text, int& position) const override
    {
        if (m_line.limit <= 0 || text.size() <= m_line.limit || CharsIn(text, text.size()) <= m_line.limit)
            return Acceptable;
        // A key that does not fit is refused (the toolkit goes back to the
        // text before it); text set as a whole (by the program, through the
        // accessibility interface) is cut at the limit.
        if (m_line.Typing())
            return Invalid;
        text = FirstChars(text, m_line.limit);
        position = std::min<int>(position, static_cast<int>(text.size()));
        return Acceptable;
    }

private:
    TextLine& m_line;
};

}

TextLine::TextLine(QWidget* parent, int32_t limit_, const QString& initial)
    : QLineEdit(parent)
    , limit(limit_)
{
    setMaxLength(INT_MAX);
    setValidator(new LimitKeeper(*this));
    // First of all connections, so that the counts are right for every other.
    connect(this, &QLineEdit::textChanged, this, [this] {
        const QString line = text();
        m_surrogates = std::any_of(line.cbegin(), line.cend(), [](QChar c) { return c.isSurrogate(); });
    });
    ShowText(initial);
}

void TextLine::ShowText(const QString& text)
{
    const QString shown = limit > 0 ? FirstChars(text, limit) : text;
    const BusyPointer busy(shown.size());
    setText(shown);
}

void TextLine::PasteFrom(QClipboard::Mode mode)
{
    if (isReadOnly())
        return;
    const QMimeData* offered = QGuiApplication::clipboard()->mimeData(mode);
    const QString fitting = Fitting(offered ? TextOf(*offered) : QString(), SelectedCharacters());
    const BusyPointer busy(fitting.size());
    // A paste is an undo step of its own, as the toolkit's own paste makes it.
    EndUndoStep();
    insert(fitting);
    EndUndoStep();
}

void TextLine::EndUndoStep()
{
    // Moving the insertion point ends the step that typing makes (a
    // selection being replaced starts one anyway).
    if (hasSelectedText())
        return;
    const int at = cursorPosition();
    const int other = at > 0 ? at - 1 : at + 1;
    if (other > text().size())
        return;
    setCursorPosition(other);
    setCursorPosition(at);
}

int64_t TextLine::Characters() const
{
    return m_surrogates ? CharsIn(text(), text().size()) : text().size();
}

int64_t TextLine::CharactersBefore(int position) const
{
    return m_surrogates ? CharsIn(text(), position) : std::clamp<int64_t>(position, 0, text().size());
}

int64_t TextLine::SelectedCharacters() const
{
    if (!hasSelectedText())
        return 0;
    return CharactersBefore(selectionEnd()) - CharactersBefore(selectionStart());
}

int TextLine::PositionOf(int64_t characters) const
{
    return static_cast<int>(m_surrogates ? UnitsFor(text(), characters) : std::clamp<int64_t>(characters, 0, text().size()));
}

QString TextLine::Fitting(const QString& text, int64_t replaced) const
{
    const QString line = WithoutLineBreaks(text);
    if (limit <= 0)
        return line;
    return FirstChars(line, RoomFor(limit, Characters(), replaced));
}

void TextLine::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        PasteFrom(QClipboard::Clipboard);
        event->accept();
        return;
    }
    m_typing = true;
    QLineEdit::keyPressEvent(event);
    m_typing = false;
}

void TextLine::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() && !isReadOnly()) {
        deselect();
        PasteFrom(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TextLine::mousePressEvent(QMouseEvent* event)
{
    m_drag.Pressed();
    QLineEdit::mousePressEvent(event);
}

void TextLine::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_drag.Allows(*event)) {
        event->accept();
        return;
    }
    m_drag.Run([&] { QLineEdit::mouseMoveEvent(event); });
}

// A press held still in the selection starts a drag from a timer.
void TextLine::timerEvent(QTimerEvent* event)
{
    if (FieldDrag::Running())
        return;
    m_drag.Run([&] { QLineEdit::timerEvent(event); });
}

bool TextLine::TakesWhole(const QDropEvent& event) const
{
    const QMimeData* source = event.mimeData();
    if (isReadOnly() || !source || !source->hasText())
        return true;
    const QString text = TextOf(*source);
    // More characters than the limit, however they are counted: not read at every move of a huge drag.
    if (limit > 0 && text.size() > 2 * static_cast<qsizetype>(limit))
        return false;
    return Fitting(text, 0) == text;
}

void TextLine::dragEnterEvent(QDragEnterEvent* event)
{
    QLineEdit::dragEnterEvent(event);
    FieldDrag::Answer(*event, TakesWhole(*event));
}

void TextLine::dragMoveEvent(QDragMoveEvent* event)
{
    QLineEdit::dragMoveEvent(event);
    FieldDrag::Answer(*event, TakesWhole(*event));
}

void TextLine::dropEvent(QDropEvent* event)
{
    const QMimeData* source = event->mimeData();
    if (isReadOnly() || !source || !source->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    const bool whole = TakesWhole(*event);
    if (!FieldDrag::MayTake(*event, whole)) {
        event->ignore();
        return;
    }
    // Dropped text goes in at the drop point, replacing nothing.
    QMimeData fitting;
    fitting.setText(Fitting(TextOf(*source), 0));
    QDropEvent drop(event->position(), event->possibleActions(), &fitting, event->buttons(), event->modifiers());
    drop.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&drop);
    event->setDropAction(drop.dropAction());
    event->setAccepted(drop.isAccepted());
    FieldDrag::Answer(*event, whole);
}

void TextLine::inputMethodEvent(QInputMethodEvent* event)
{
    if (event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent fitting(event->preeditString(), event->attributes());
    fitting.setCommitString(Fitting(event->commitString(), SelectedCharacters()), event->replacementStart(),
        event->replacementLength());
    QLineEdit::inputMethodEvent(&fitting);
    event->setAccepted(fitting.isAccepted());
}

}
