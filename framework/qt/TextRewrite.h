#pragma once

// Framework-internal: a multi-line field's text rewritten off the interface thread.

#include <QCursor>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QTextDocument;

namespace fw {

class EditField;
class TextArea;

// One rewrite of a multi-line field's whole text. The text is taken out on the
// interface thread; on a thread of its own, `make` turns it into the new text
// and the new document is built; back on the interface thread that document
// takes the old one's place in the editor, as if the text had been set. Until
// then the field is read-only and its window shows the busy cursor.
//
// Destroyed before it is done (its field goes), the rewrite is dropped: the
// worker stops building at its next chance and frees what it made itself.
class TextRewrite : public QObject {
public:
    // The new text (line breaks as the editor takes them), or nullopt to keep the text.
    using Make = std::function<std::optional<QString>(QString)>;

    TextRewrite(EditField& field, TextArea& editor, Make make);
    ~TextRewrite() override;

    // Until the result is in (or dropped).
    bool Pending() const { return m_pending; }

protected:
    bool event(QEvent* event) override;

private:
    struct Channel;
    class Done;

    void Finish(Done& done);
    void EndBusy();
    void LeavePending();
    void Swap(std::unique_ptr<QTextDocument> document);

    EditField& m_field;
    QPointer<TextArea> m_editor;
    QPointer<QWidget> m_frame;
    QCursor m_editor_cursor;
    QMetaObject::Connection m_change_watch;
    std::shared_ptr<Channel> m_channel;
    bool m_was_read_only { false };
    bool m_pending { true };
    // The text changed meanwhile (the program set it): the result is out of date.
    bool m_stale { false };
};

}
