#include "qt/Toolkit.h"

#include "framework/Picture.h"
#include "qt/HeldMessages.h"
#include "qt/PictureImpl.h"
#include "qt/PlatformFailure.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QPixmap>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

namespace fw {

Toolkit::Toolkit(const std::string& program)
    : m_program(program)
{
    m_argv[0] = m_program.data();
    {
        // Where the toolkit cannot start it would abort the process with
        // several lines of its own: the program says why in one line and ends.
        HeldMessages starting;
        starting.on_fatal = [this](const std::vector<HeldMessages::Message>& held, const QString& fatal) {
            std::fprintf(stderr, "%s: %s\n", m_program.c_str(), PlatformFailure(held, fatal).c_str());
            std::fflush(stderr);
            std::_Exit(1);
        };
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
        starting.PassOn();
    }
    QApplication::setApplicationName(QString::fromStdString(m_program));
    // The toolkit's own words (standard buttons and the like) are Danish like
    // the program's, whatever the locale.
    auto* danish = new QTranslator(m_app.get());
    if (danish->load(QStringLiteral("qtbase_da"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(danish);
    // Windows close one by one; only the program decides when to quit.
    QApplication::setQuitOnLastWindowClosed(false);
    m_command_keys = std::make_unique<CommandKeys>();
    m_app->installEventFilter(m_command_keys.get());
}

Toolkit::~Toolkit()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_app->removeEventFilter(m_command_keys.get());
    m_command_keys.reset();
    m_app.reset();
}

void Toolkit::SetName(const std::string& name)
{
    // The display name follows it. Set on its own, it would be added to every window's title.
    QApplication::setApplicationName(QString::fromStdString(name));
}

void Toolkit::SetIcon(const Picture& picture)
{
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(picture.GetImpl().Shown())));
}

void Toolkit::Run()
{
    QApplication::exec();
}

void Toolkit::Exit(int code)
{
    QCoreApplication::exit(code);
}

}
