#include "qt/PlatformFailure.h"

#include <QStringList>
#include <QtGlobal>

namespace fw {

namespace {

// The toolkit reports each platform it could not start in this category,
// with the platform's name in quotes: a warning when it has no plug-in of
// that name, an information when the plug-in was there but did not start.
constexpr char kPluginCategory[] = "qt.qpa.plugin";

QString Quoted(const QString& text)
{
    const qsizetype from = text.indexOf(u'"');
    const qsizetype to = from < 0 ? -1 : text.indexOf(u'"', from + 1);
    return to < 0 ? QString() : text.mid(from + 1, to - from - 1);
}

QString CouldNotLoad(const QString& platform, const QString& reason)
{
    return QStringLiteral("could not load platform \"%1\": %2").arg(platform, reason);
}

}

std::string PlatformFailure(const std::vector<HeldMessages::Message>& held, const QString& fatal)
{
    const QString no_display = QStringLiteral("no display to show windows on");
    const bool named = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    QStringList failures;
    auto add = [&](const QString& failure) {
        if (!failures.contains(failure))
            failures += failure;
    };
    // What the toolkit said since it began on the platform it tried last: why that one failed.
    QStringList reasons;
    bool tried = false;
    for (const HeldMessages::Message& message : held) {
        if (message.category != kPluginCategory) {
            if (message.type == QtWarningMsg || message.type == QtCriticalMsg)
                reasons += message.text.simplified();
            continue;
        }
        const QString platform = Quoted(message.text);
        if (platform.isEmpty() || (message.type != QtWarningMsg && message.type != QtInfoMsg))
            continue;
        tried = true;
        if (message.type == QtWarningMsg)
            add(CouldNotLoad(platform, QStringLiteral("no such platform")));
        else if (named)
            add(CouldNotLoad(platform, reasons.isEmpty() ? QStringLiteral("it did not start") : reasons.join(QStringLiteral("; "))));
        else
            add(no_display);
        reasons.clear();
    }
    // A plug-in may end the start itself, with a fatal message of its own.
    if (!tried)
        add(named ? CouldNotLoad(qEnvironmentVariable("QT_QPA_PLATFORM"), fatal.simplified()) : no_display);
    return failures.join(QStringLiteral("; ")).toStdString();
}

}
