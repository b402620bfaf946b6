#pragma once

// Framework-internal: while one lives, what the toolkit and the libraries
// under it would write (the toolkit's warnings through its message handler,
// the image library's complaints straight to standard error) is held back,
// so that the program can say in one line of its own what went wrong.
// Made and dropped on the main thread; an inner one passes on to the outer.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <functional>
#include <mutex>
#include <vector>

namespace fw {

class HeldMessages {
public:
    HeldMessages();
    // What is still held is dropped.
    ~HeldMessages();
    HeldMessages(const HeldMessages&) = delete;
    HeldMessages& operator=(const HeldMessages&) = delete;

    // A message as the toolkit gave it to its handler.
    struct Message {
        QtMsgType type;
        QByteArray category, file, function;
        int line;
        QString text;
    };

    // Ends the holding and hands what was held on, as it would have been written.
    void PassOn();

    // Runs, with standard error given back, in place of the toolkit's abort
    // on a fatal message, with the toolkit's messages held before it and the
    // fatal one; must not return. Without it, what was held is passed on
    // before the fatal message and the abort.
    std::function<void(const std::vector<Message>& held, const QString& fatal)> on_fatal;

private:
    static void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text);
    // Gives standard error and the message handler back; returns what was written to standard error meanwhile.
    QByteArray Stop();

    HeldMessages* m_outer { nullptr };
    QtMessageHandler m_previous { nullptr };
    std::FILE* m_error_file { nullptr };
    int m_saved_error { -1 };
    bool m_holding { true };
    std::mutex m_mutex;
    std::vector<Message> m_held;
};

}
