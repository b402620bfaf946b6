#include "qt/TextRewrite.h"

#include "framework/EditField.h"
#include "framework/Runtime.h"
#include "framework/Window.h"
#include "qt/BackgroundWork.h"
#include "qt/TextArea.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <vector>

namespace fw {

// What the worker shares with the interface thread.
struct TextRewrite::Channel {
    std::mutex mutex;
    // Where the result goes; nil once the rewrite is dropped.
    TextRewrite* receiver { nullptr };
    std::atomic<bool> dropped { false };
};

// The worker's result, posted to the rewrite.
class TextRewrite::Done : public QEvent {
public:
    static Type Kind()
    {
        static const Type kind = static_cast<Type>(registerEventType());
        return kind;
    }
    Done() : QEvent(Kind()) { }

    // The new document, nil when the text stays as it is.
    std::unique_ptr<QTextDocument> document;
    std::exception_ptr failure;
};

namespace {

// How the editor's document looks, taken over by the new one.
struct Look {
    QFont font;
    QTextOption option;
    QTextCharFormat format;
    bool undo { true };
};

Look LookOf(const QPlainTextEdit& editor)
{
    const QTextDocument& document = *editor.document();
    return { document.defaultFont(), document.defaultTextOption(), editor.textCursor().charFormat(),
        document.isUndoRedoEnabled() };
}

bool SameLook(const QTextDocument& a, const QTextDocument& b)
{
    const QTextOption x = a.defaultTextOption(), y = b.defaultTextOption();
    return a.defaultFont() == b.defaultFont() && x.alignment() == y.alignment() && x.flags() == y.flags()
        && x.tabStopDistance() == y.tabStopDistance() && x.textDirection() == y.textDirection();
}

bool IsLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator;
}

// The document the editor's setPlainText would make of the text, with no undo
// history, built in pieces so that a dropped rewrite stops soon; nil once dropped.
std::unique_ptr<QTextDocument> Build(const QString& text, const Look& look, const std::atomic<bool>& dropped)
{
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    document->setDefaultFont(look.font);
    document->setDefaultTextOption(look.option);
    QTextCursor cursor(document.get());
    constexpr qsizetype kPiece = qsizetype(1) << 18;
    for (qsizetype from = 0; from < text.size();) {
        if (dropped)
            return nullptr;
        // Pieces end after a line break: a CR LF pair stays one break, and no character is cut.
        qsizetype to = std::min(text.size(), from + kPiece);
        while (to < text.size() && !IsLineBreak(text[to - 1]))
            ++to;
        if (to < text.size() && text[to - 1] == u'\r' && text[to] == u'\n')
            ++to;
        cursor.insertText(text.mid(from, to - from), look.format);
        from = to;
    }
    document->setUndoRedoEnabled(look.undo);
    document->setModified(false);

    // Every line's layout object is made here: the toolkit would otherwise
    // make them all on the interface thread when the document is shown.
    int lines = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (++lines % 16384 == 0 && dropped)
            return nullptr;
        block.layout();
    }
    document->setDocumentLayout(new QPlainTextDocumentLayout(document.get()));
    return document;
}

// Rewrites still pending, to know when a window has none left.
std::vector<const TextRewrite*>& PendingRewrites()
{
    static std::vector<const TextRewrite*> pending;
    return pending;
}

}

TextRewrite::TextRewrite(EditField& field, TextArea& editor, Make make)
    : m_field(field)
    , m_editor(&editor)
    , m_frame(editor.window())
    , m_channel(std::make_shared<Channel>())
    , m_was_read_only(field.ReadOnly())
{
    m_channel->receiver = this;
    QTextDocument& document = *editor.document();
    m_change_watch = connect(&document, &QTextDocument::contentsChanged, this, [this] { m_stale = true; });

    field.SetReadOnly(true);
    m_editor_cursor = editor.viewport()->cursor();
    editor.viewport()->setCursor(Qt::BusyCursor);
    if (m_frame)
        m_frame->setCursor(Qt::BusyCursor);
    PendingRewrites().push_back(this);

    StartBackgroundWork([channel = m_channel, text = document.toRawText(), make = std::move(make),
                            look = LookOf(editor)]() mutable {
        auto done = std::make_unique<Done>();
        try {
            if (const std::optional<QString> made = make(std::exchange(text, { })))
                done->document = Build(*made, look, channel->dropped);
        } catch (...) {
            done->failure = std::current_exception();
        }
        std::lock_guard lock(channel->mutex);
        // Dropped: what the worker made goes here, on the thread that made it.
        if (!channel->receiver)
            return;
        if (done->document)
            done->document->moveToThread(channel->receiver->thread());
        QCoreApplication::postEvent(channel->receiver, done.release());
    });
}

TextRewrite::~TextRewrite()
{
    {
        std::lock_guard lock(m_channel->mutex);
        m_channel->receiver = nullptr;
        m_channel->dropped = true;
    }
    // The field goes too: only its window's cursor is left to restore.
    if (m_pending)
        LeavePending();
}

bool TextRewrite::event(QEvent* event)
{
    if (event->type() != Done::Kind())
        return QObject::event(event);
    Finish(static_cast<Done&>(*event));
    return true;
}

void TextRewrite::Finish(Done& done)
{
    EndBusy();
    if (done.failure) {
        Deliver([failure = done.failure] { std::rethrow_exception(failure); });
        return;
    }
    const auto window = m_field.GetWindow();
    if (done.document && !m_stale && m_editor && window && window->IsOpen())
        Swap(std::move(done.document));
}

void TextRewrite::EndBusy()
{
    LeavePending();
    disconnect(m_change_watch);
    m_field.SetReadOnly(m_was_read_only);
    if (m_editor)
        m_editor->viewport()->setCursor(m_editor_cursor);
}

void TextRewrite::LeavePending()
{
    m_pending = false;
    std::erase(PendingRewrites(), this);
    // The window's busy cursor stays while another of its fields is still busy.
    if (m_frame && std::none_of(PendingRewrites().begin(), PendingRewrites().end(),
            [this](const TextRewrite* other) { return other->m_frame == m_frame; }))
        m_frame->unsetCursor();
}

void TextRewrite::Swap(std::unique_ptr<QTextDocument> document)
{
    TextArea& editor = *m_editor;
    QTextDocument* old = editor.document();
    // A look changed meanwhile goes over (this lays the whole text out again).
    if (!SameLook(*document, *old)) {
        document->setDefaultFont(old->defaultFont());
        document->setDefaultTextOption(old->defaultTextOption());
    }
    // The editor's own documents are freed in a later turn of the loop, to keep this one short.
    if (old->parent() == &editor || (old->parent() && old->parent()->parent() == &editor)) {
        old->setParent(nullptr);
        old->deleteLater();
    }
    document->setParent(&editor);
    // Raises the field's TextChange, as setting the text does.
    editor.setDocument(document.release());
    // The field learns the new text at once, its long runs included, before it is laid out.
    editor.Index();
}

}
