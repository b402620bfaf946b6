#include "qt/TextRewrite.h"

#include "framework/Runtime.h"
#include "qt/DocumentIndex.h"
#include "qt/TextArea.h"

#include <QEvent>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPromise>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <exception>

namespace fw {

// What a worker made: the new document (nil when the text stays as it is)
// with the facts its index needs, or the failure of `make`.
struct TextRewrite::Made {
    std::unique_ptr<QTextDocument> document;
    DocumentIndex::Facts facts;
    std::exception_ptr failure;

    Made() = default;
    Made(const Made&) = delete;
    Made& operator=(const Made&) = delete;
    // A result nobody took goes with the last reference to it, on whichever
    // thread that is: the document, by then the interface thread's, is
    // freed there.
    ~Made()
    {
        if (document)
            document.release()->deleteLater();
    }
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
std::unique_ptr<QTextDocument> Build(const QString& text, const Look& look, const std::function<bool()>& dropped)
{
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    document->setDefaultFont(look.font);
    document->setDefaultTextOption(look.option);
    QTextCursor cursor(document.get());
    constexpr qsizetype kPiece = qsizetype(1) << 18;
    for (qsizetype from = 0; from < text.size();) {
        if (dropped())
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
        if (++lines % 16384 == 0 && dropped())
            return nullptr;
        block.layout();
    }
    document->setDocumentLayout(new QPlainTextDocumentLayout(document.get()));
    return document;
}

// Set once the process ends through exit() (the toolkit calls it when the
// display is lost): a worker stops at its next check instead of running on
// into the static destructors, the thread pool's among them, which waits for it.
std::atomic<bool> g_exiting { false };

// The window's busy cursor stays while another of its fields is still busy.
bool OtherPending(QWidget& frame, const TextArea* editor)
{
    const auto editors = frame.findChildren<TextArea*>();
    return std::any_of(editors.begin(), editors.end(),
        [editor](const TextArea* other) { return other != editor && other->Pending(); });
}

// Frees a replaced document on a worker: a million lines take tens of milliseconds to free.
void FreeOffThread(QTextDocument* document)
{
    // Belonging to no thread, it may go on any.
    document->moveToThread(nullptr);
    (void)QtConcurrent::run([document] { delete document; });
}

}

TextRewrite::TextRewrite(TextArea& editor, Make make)
    : m_editor(&editor)
    , m_frame(editor.window())
{
    QTextDocument& document = *editor.document();
    // The text set meanwhile (by the program): the result is out of date.
    m_change_watch = connect(&document, &QTextDocument::contentsChanged, this, &TextRewrite::Drop);
    connect(&editor, &QObject::destroyed, this, &TextRewrite::Drop);
    connect(&m_watcher, &QFutureWatcherBase::finished, this, &TextRewrite::Finish);

    editor.SetPending(true);
    if (m_frame) {
        m_frame->setCursor(Qt::BusyCursor);
        m_frame->installEventFilter(this);
    }

    QThread* const home = thread();
    m_watcher.setFuture(QtConcurrent::run([text = document.toRawText(), make = std::move(make), look = LookOf(editor),
                                              home](QPromise<std::shared_ptr<Made>>& promise) mutable {
        const std::function<bool()> stopped = [&promise] { return promise.isCanceled() || g_exiting; };
        auto made = std::make_shared<Made>();
        try {
            if (const std::optional<QString> text_made = make(std::exchange(text, { }), stopped); text_made && !stopped()) {
                made->facts = DocumentIndex::Learn(*text_made);
                made->document = Build(*text_made, look, stopped);
            }
        } catch (...) {
            made->failure = std::current_exception();
        }
        // Dropped: what the worker made goes here, on the thread that made it.
        if (stopped()) {
            made->document.reset();
            return;
        }
        if (made->document)
            made->document->moveToThread(home);
        promise.addResult(std::move(made));
    }));
    // After the pool is made, so that this runs before the pool goes at exit.
    static const bool watching_exit = std::atexit([] { g_exiting = true; }) == 0;
    (void)watching_exit;
}

// The field goes, and its widgets with it: the work stops, and nothing on the
// screen is touched (at exit() the toolkit's fonts may be gone already).
TextRewrite::~TextRewrite()
{
    m_watcher.disconnect(this);
    m_watcher.cancel();
}

bool TextRewrite::eventFilter(QObject* watched, QEvent* event)
{
    // Closing a window hides it; the window system's own hiding (minimising) does not close it.
    if (watched == m_frame && event->type() == QEvent::Hide && !event->spontaneous())
        Drop();
    return false;
}

void TextRewrite::Drop()
{
    if (!m_pending)
        return;
    m_watcher.disconnect(this);
    m_watcher.cancel();
    EndPending();
}

void TextRewrite::EndPending()
{
    m_pending = false;
    disconnect(m_change_watch);
    if (m_editor)
        m_editor->SetPending(false);
    if (m_frame) {
        m_frame->removeEventFilter(this);
        if (!OtherPending(*m_frame, m_editor))
            m_frame->unsetCursor();
    }
}

void TextRewrite::Finish()
{
    if (!m_pending)
        return;
    const QFuture<std::shared_ptr<Made>> future = m_watcher.future();
    const std::shared_ptr<Made> made = future.resultCount() > 0 ? future.result() : nullptr;
    EndPending();
    if (!made || !m_editor)
        return;
    if (made->failure) {
        Deliver([failure = made->failure] { std::rethrow_exception(failure); });
        return;
    }
    if (!made->document)
        return;

    TextArea& editor = *m_editor;
    QTextDocument* old = editor.document();
    // A look changed meanwhile goes over (this lays the whole text out again).
    if (!SameLook(*made->document, *old)) {
        made->document->setDefaultFont(old->defaultFont());
        made->document->setDefaultTextOption(old->defaultTextOption());
    }
    // The editor's own documents go, off this thread (the toolkit would free
    // its own here); one the program gave it stays the program's.
    const bool owned = old->parent() == &editor || (old->parent() && old->parent()->parent() == &editor);
    if (owned)
        old->setParent(nullptr);
    // Raises the field's TextChange, as setting the text does.
    editor.Adopt(std::move(made->document), std::move(made->facts));
    if (owned)
        FreeOffThread(old);
}

void WaitForBackgroundWork()
{
    QThreadPool::globalInstance()->waitForDone();
}

}
