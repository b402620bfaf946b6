#pragma once

// Framework-internal: a multi-line field's text rewritten off the interface thread.

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace fw {

class TextArea;

// One rewrite of a multi-line field's whole text. The text is taken out on the
// interface thread; on a worker of Qt's thread pool, `make` turns it into the
// new text, and the new document and what the field's index needs to know of
// it are made; back on the interface thread that document takes the old one's
// place in the editor, as if the text had been set, and the old one is freed
// on a worker. Until then the editor is pending (no edits) and its window
// shows the busy cursor.
//
// Dropped when it is destroyed (its field goes), when its window is closed
// (hidden by the program) or when the text is set meanwhile: `make` is told to
// stop through its `stopped`, the worker frees what it made itself, and the
// editor takes edits again at once.
class TextRewrite : public QObject {
public:
    // The new text (line breaks as the editor takes them), or nullopt to keep
    // the text; `stopped` answers true once the result is no longer wanted.
    using Make = std::function<std::optional<QString>(QString, const std::function<bool()>& stopped)>;

    TextRewrite(TextArea& editor, Make make);
    ~TextRewrite() override;

    // Until the result is in (or dropped).
    bool Pending() const { return m_pending; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Made;

    void Finish();
    void Drop();
    void EndPending();

    QPointer<TextArea> m_editor;
    QPointer<QWidget> m_frame;
    QMetaObject::Connection m_change_watch;
    QFutureWatcher<std::shared_ptr<Made>> m_watcher;
    bool m_pending { true };
};

// Waits until the work started so far on Qt's thread pool has ended.
// Shutdown calls it before the toolkit goes: no worker may use the toolkit's
// objects while they are torn down.
void WaitForBackgroundWork();

}
