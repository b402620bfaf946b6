#include "framework/Runtime.h"

#include "WindowList.h"
#include "framework/Application.h"
#include "framework/BevelButton.h"
#include "framework/Exceptions.h"
#include "qt/FailureBox.h"
#include "qt/TextRewrite.h"
#include "qt/Toolkit.h"

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
    ~RuntimeState() { (void)toolkit.release(); }

    std::unique_ptr<Toolkit> toolkit;
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

// The class and message of an exception, and what the user is told of it.
void Describe(std::exception_ptr exception, std::string& name, std::string& message, std::string& for_user)
{
    try {
        std::rethrow_exception(exception);
    } catch (const RuntimeException& e) {
        name = e.Name();
        message = e.what();
        for_user = e.ForUser();
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

}

void RuntimeInit()
{
    // The program's own arguments are never handed to the toolkit.
    State().toolkit = std::make_unique<Toolkit>(ProgramName());
}

void SetAppName(const std::string& name)
{
    Toolkit::SetName(name);
}

void SetAppIcon(const Picture& picture)
{
    Toolkit::SetIcon(picture);
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
    state.toolkit.reset();
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
    if (!state.quit_requested && state.toolkit) {
        state.running = true;
        Toolkit::Run();
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
        Toolkit::Exit(code);
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
    std::string name, message, for_user;
    Describe(exception, name, message, for_user);
    std::fprintf(stderr, "%s: unhandled %s: %s\n", ProgramName().c_str(), name.c_str(), message.c_str());
    std::fflush(stderr);
    if (state.toolkit)
        FailureBox(for_user.empty() ? name + ": " + message : for_user).Show();
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
            Toolkit::Exit(1);
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
