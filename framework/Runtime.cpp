#include "framework/Runtime.h"

#include "WindowList.h"
#include "framework/Application.h"
#include "framework/BevelButton.h"
#include "framework/Exceptions.h"
#include "qt/CommandKeys.h"
#include "qt/FailureBox.h"
#include "qt/HeldMessages.h"
#include "qt/TextRewrite.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace fw {

namespace {

struct RuntimeState {
    // A process that ends without RuntimeExit leaves the toolkit to the
    // operating system: tearing it down among other static objects is unsafe.
    ~RuntimeState() { (void)app.release(); (void)command_keys.release(); }

    std::unique_ptr<QApplication> app;
    std::unique_ptr<CommandKeys> command_keys;
    std::shared_ptr<Application> app_object;
    std::exception_ptr pending;
    std::function<void(std::exception_ptr)> unhandled_handler;
    int exit_code { 0 };
    bool quit_requested { false };
    bool running { false };
    bool failed { false };
};

RuntimeState& State()
{
    static RuntimeState state;
    return state;
}

// The toolkit keeps argc and argv for its whole life; the program's own
// arguments are never handed to it.
int g_argc = 1;
char g_arg0[] = "app";
char* g_argv[] = { g_arg0, nullptr };

void Describe(std::exception_ptr exception, std::string& name, std::string& message)
{
    try {
        std::rethrow_exception(exception);
    } catch (const RuntimeException& e) {
        name = e.Name();
        message = e.what();
    } catch (const std::exception& e) {
        name = "std::exception";
        message = e.what();
    } catch (...) {
        name = "unknown exception";
        message = "no message";
    }
}

// The executable's name, as the program signs what it writes to standard error.
std::string ProgramName()
{
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string("program") : executable.stem().string();
}

// Without a display the toolkit cannot start, and would abort the process with
// several lines of its own: the program says so in one line and ends.
[[noreturn]] void NoDisplay()
{
    std::fprintf(stderr, "%s: no display to show windows on\n", ProgramName().c_str());
    std::fflush(stderr);
    std::_Exit(1);
}

bool HasDisplay()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

}

void RuntimeInit()
{
    auto& state = State();
    {
        HeldMessages starting;
        starting.on_fatal = NoDisplay;
        state.app = std::make_unique<QApplication>(g_argc, g_argv);
        starting.PassOn();
    }
    QApplication::setApplicationName(QString::fromStdString(ProgramName()));
    // The toolkit's own words (standard buttons and the like) are Danish like
    // the program's, whatever the locale.
    auto* danish = new QTranslator(state.app.get());
    if (danish->load(QStringLiteral("qtbase_da"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(danish);
    // Windows close one by one; only the program decides when to quit.
    QApplication::setQuitOnLastWindowClosed(false);
    state.command_keys = std::make_unique<CommandKeys>();
    state.app->installEventFilter(state.command_keys.get());
}

void InitPluginEntrypoints()
{
    BevelButton::Lookup();
}

int RuntimeExit()
{
    auto& state = State();
    WindowList::Get().DestroyAll();
    // Work dropped with its window may still be running: it ends before the toolkit goes.
    WaitForBackgroundWork();
    state.app_object.reset();
    if (state.app) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.app->removeEventFilter(state.command_keys.get());
    }
    state.command_keys.reset();
    state.app.reset();
    const int status = state.failed ? 1 : state.exit_code;
    state.app_object.reset();
    state.pending = nullptr;
    state.unhandled_handler = nullptr;
    state.exit_code = 0;
    state.quit_requested = state.running = state.failed = false;
    return status;
}

void RuntimeRun()
{
    auto& state = State();
    RethrowPending();
    if (!state.quit_requested && state.app) {
        state.running = true;
        QApplication::exec();
        state.running = false;
    }
    RethrowPending();
}

void Quit(int code)
{
    auto& state = State();
    state.exit_code = code;
    state.quit_requested = true;
    if (state.running)
        QCoreApplication::exit(code);
}

void RuntimeRegisterAppObject(std::shared_ptr<Application> app)
{
    State().app_object = std::move(app);
}

std::shared_ptr<Application> GetAppObject()
{
    return State().app_object;
}

void SetUnhandledExceptionHandler(std::function<void(std::exception_ptr)> handler)
{
    State().unhandled_handler = std::move(handler);
}

void UnhandledException(std::exception_ptr exception)
{
    auto& state = State();
    if (state.unhandled_handler) {
        state.unhandled_handler(exception);
        return;
    }
    if (state.app_object && state.app_object->on_unhandled_exception && state.app_object->on_unhandled_exception(exception))
        return;

    state.failed = true;
    std::string name, message;
    Describe(exception, name, message);
    std::fprintf(stderr, "%s: unhandled %s: %s\n", ProgramName().c_str(), name.c_str(), message.c_str());
    std::fflush(stderr);
    if (state.app && HasDisplay())
        FailureBox(name, message).exec();
}

void Deliver(const std::function<void()>& handler)
{
    auto& state = State();
    // Once a handler has failed, the loop is ending: nothing more runs.
    if (state.pending)
        return;
    try {
        handler();
    } catch (...) {
        state.pending = std::current_exception();
        if (state.running)
            QCoreApplication::exit(1);
    }
}

void RethrowPending()
{
    if (auto pending = TakePendingException())
        std::rethrow_exception(pending);
}

std::exception_ptr TakePendingException()
{
    return std::exchange(State().pending, nullptr);
}

}
