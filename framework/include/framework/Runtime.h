#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>

namespace fw {

class Application;
class Picture;

// Starts the runtime: the toolkit's application, with no command-line
// arguments handed to it, speaking Danish whatever the locale. The first call
// of the process. Where the toolkit cannot start, it says why in one line on
// standard error (no display to show windows on, or the platform named in
// QT_QPA_PLATFORM that could not be loaded) and ends the process with status 1.
void RuntimeInit();

// The application's name as the desktop shows it: the class of its windows
// (the executable's name is their instance), its name to assistive
// technology, the title of the failure box. Set before the first window;
// until then it is the executable's name.
void SetAppName(const std::string& name);

// The application's icon: every window's, now and later.
void SetAppIcon(const Picture& picture);

// Tears the runtime down: closes what is still open, and gives the exit
// status: the code given to Quit, or 1 after an unhandled exception.
int RuntimeExit();

// A start-up step of the runtime, before any window is built: the plug-in
// controls (BevelButton), whose class is registered here.
void InitPluginEntrypoints();

// Runs the event loop until the application quits. An exception that escapes
// a handler ends the loop and leaves this call.
void RuntimeRun();

// Ends the event loop with that exit status.
void Quit(int code = 0);

// The application object: registered once, held by the runtime until RuntimeExit.
void RuntimeRegisterAppObject(std::shared_ptr<Application> app);
std::shared_ptr<Application> GetAppObject();

// Deals with an exception that nothing caught: writes its class and message
// to standard error, tells the user in a message box where there is a display
// (with the exception's ForUser as its details, or else its class and
// message), and makes the exit status non-zero. The application object's on_unhandled_exception is asked first;
// when it returns true the exception counts as handled.
void UnhandledException(std::exception_ptr exception);

// For tests: replaces the default handling above (an empty function restores it).
void SetUnhandledExceptionHandler(std::function<void(std::exception_ptr)> handler);

// Runs a program handler from the toolkit's side. An exception that escapes it
// is kept and ends the event loop; it is raised again when control returns
// to the program (RuntimeRun, or the framework call that caused the event).
void Deliver(const std::function<void()>& handler);

// Raises a kept exception, if any (the framework calls this on its way back to program code).
void RethrowPending();

// For tests: takes a kept exception out, or nullptr.
std::exception_ptr TakePendingException();

// The framework's own state released by the program's shutdown, in the order it chooses.
void ReleaseImplicitWindowList();
void ReleaseDirtyWindows();
void ReleaseWindowList();

}
