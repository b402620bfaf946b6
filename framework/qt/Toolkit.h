#pragma once

// Framework-internal: the toolkit's application, from the runtime's start to
// its exit, with the application-wide keys of windows.

#include "qt/CommandKeys.h"

#include <QApplication>

#include <memory>
#include <string>

namespace fw {

class Picture;

class Toolkit {
public:
    // Starts the toolkit with `program` (the executable's name) as its only
    // argument, speaking Danish whatever the locale. Where it cannot start,
    // writes one line on standard error, signed with `program`, that says
    // why, and ends the process with status 1.
    explicit Toolkit(const std::string& program);
    // Deletes what waits for deletion, then the toolkit.
    ~Toolkit();
    Toolkit(const Toolkit&) = delete;
    Toolkit& operator=(const Toolkit&) = delete;

    // How the desktop names the application: the class of its windows (the
    // executable's name is their instance), its name on the accessibility
    // bus, the title of its message boxes. Until set, the executable's name.
    static void SetName(const std::string& name);
    // Every window's icon, now and later: the picture as it is drawn.
    static void SetIcon(const Picture& picture);

    // Runs the event loop until Exit.
    static void Run();
    static void Exit(int code);

private:
    // The toolkit keeps argc and argv for its whole life.
    std::string m_program;
    char* m_argv[2] { };
    int m_argc { 1 };
    std::unique_ptr<QApplication> m_app;
    std::unique_ptr<CommandKeys> m_command_keys;
};

}
