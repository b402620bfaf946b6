#include "qt/HeldMessages.h"

#include <unistd.h>

#include <atomic>
#include <utility>

namespace fw {

namespace {

// The toolkit's handler is a plain function: it finds the holder here.
std::atomic<HeldMessages*> g_holder { nullptr };

}

HeldMessages::HeldMessages()
{
    m_outer = g_holder.exchange(this);
    m_previous = qInstallMessageHandler(&HeldMessages::Hold);
    // Standard error goes to a file of its own meanwhile (or stays, if none can be had).
    std::fflush(stderr);
    m_error_file = std::tmpfile();
    m_saved_error = m_error_file ? ::dup(STDERR_FILENO) : -1;
    if (m_saved_error < 0 || ::dup2(::fileno(m_error_file), STDERR_FILENO) < 0) {
        if (m_saved_error >= 0)
            ::close(m_saved_error);
        m_saved_error = -1;
    }
}

HeldMessages::~HeldMessages()
{
    Stop();
    if (m_error_file)
        std::fclose(m_error_file);
}

QByteArray HeldMessages::Stop()
{
    if (!std::exchange(m_holding, false))
        return { };
    qInstallMessageHandler(m_previous);
    g_holder = m_outer;
    QByteArray written;
    if (m_saved_error >= 0) {
        std::fflush(stderr);
        ::dup2(m_saved_error, STDERR_FILENO);
        ::close(m_saved_error);
        m_saved_error = -1;
        std::rewind(m_error_file);
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, m_error_file)) > 0;)
            written.append(buffer, static_cast<qsizetype>(n));
    }
    return written;
}

void HeldMessages::PassOn()
{
    const QByteArray written = Stop();
    std::vector<Message> held;
    {
        std::lock_guard lock(m_mutex);
        held.swap(m_held);
    }
    auto text_or_null = [](const QByteArray& text) { return text.isNull() ? nullptr : text.constData(); };
    for (const Message& message : held) {
        const QMessageLogContext context(text_or_null(message.file), message.line, text_or_null(message.function),
            text_or_null(message.category));
        m_previous(message.type, context, message.text);
    }
    if (!written.isEmpty()) {
        std::fwrite(written.constData(), 1, static_cast<size_t>(written.size()), stderr);
        std::fflush(stderr);
    }
}

void HeldMessages::Hold(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    HeldMessages* holder = g_holder;
    if (!holder)
        return;
    if (type == QtFatalMsg) {
        if (holder->on_fatal) {
            holder->Stop();
            std::vector<Message> held;
            {
                std::lock_guard lock(holder->m_mutex);
                held.swap(holder->m_held);
            }
            holder->on_fatal(held, text);
        }
        // The toolkit ends the process after this message: nothing may stay held.
        holder->PassOn();
        holder->m_previous(type, context, text);
        return;
    }
    std::lock_guard lock(holder->m_mutex);
    holder->m_held.push_back({ type, QByteArray(context.category), QByteArray(context.file),
        QByteArray(context.function), context.line, text });
}

}
