// The whole program: as main() runs it, in this process, and the built
// program started as a user would.

#include "framework/Exceptions.h"
#include "framework/ResourceFork.h"
#include "framework/Runtime.h"
#include "framework/Values.h"
#include "qt/FailureBox.h"
#include "shell/Startup.h"
#include "shell/wHapsavi.h"
#include "shell/wOm.h"
#include "tests/support/Controls.h"
#include "tests/support/Fixtures.h"
#include "tests/support/Harness.h"

#include <QAccessible>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// The program as main() runs it, with `user` as a handler run first in its loop;
// returns the exit status.
int RunProgram(const std::function<void()>& user)
{
    fw::RuntimeInit();
    initialize();
    QTimer::singleShot(0, [&] { fw::Deliver(user); });
    QTimer::singleShot(10000, [] {
        ADD_FAILURE() << "the program did not quit";
        fw::Quit(2);
    });
    Main();
    finalize();
    return fw::RuntimeExit();
}

using Startup = harness::ProgramLife;

}

TEST_F(Startup, AUserWorksThroughBothToolsAndClosingTheLauncherQuitsWithStatusZero)
{
    const int status = RunProgram([] {
        auto launcher = fw::Window::Get(0);
        ASSERT_TRUE(fw::IsA(launcher.get(), wHapsavi::Lookup()));
        // Ctrl+1, a maximum, Return: a number in range.
        harness::Key(*launcher, Qt::Key_1, Qt::ControlModifier);
        auto numbers = fw::Window::Get(0);
        harness::Type(harness::MaxTal(*numbers), "6");
        harness::Key(*numbers, Qt::Key_Return);
        const double drawn = fw::Val(harness::Tal(*numbers));
        EXPECT_TRUE(drawn >= 1 && drawn <= 6 && drawn == fw::Floor(drawn)) << drawn;

        // Ctrl+2, pasted lines, the button: the lines in the order drawn.
        harness::Key(*numbers, Qt::Key_2, Qt::ControlModifier);
        auto order = fw::Window::Get(0);
        auto& text = harness::Tekstfelt(*order);
        harness::Paste(text, "en\nto\ntre\nfire");
        fw::SetRndSource([] { return 0.99; });
        harness::Click(harness::TilfaeldigRaekkefoelge(*order));
        EXPECT_EQ(text.Text(), "fire\rtre\rto\ren");

        // Ctrl+W closes a tool window, the one behind comes forward; Ctrl+0 brings the launcher.
        harness::Key(*order, Qt::Key_W, Qt::ControlModifier);
        EXPECT_FALSE(order->IsOpen());
        EXPECT_EQ(fw::Window::Get(0), numbers);
        harness::Key(*numbers, Qt::Key_0, Qt::ControlModifier);
        EXPECT_EQ(fw::Window::Get(0), launcher);

        // Text left in the random-order window, and the About window open.
        harness::Key(*launcher, Qt::Key_2, Qt::ControlModifier);
        harness::Tekstfelt(*fw::Window::Get(0)).SetText("ikke gemt");
        wOm::Get()->ShowModal();

        // The desktop knows the program as Hapsavi (the xcb platform names its
        // window class so), with the die (64 x 64) as every window's icon.
        EXPECT_EQ(QGuiApplication::applicationName().toStdString(), "Hapsavi");
        EXPECT_EQ(QGuiApplication::applicationDisplayName().toStdString(), "Hapsavi");
        EXPECT_EQ(QAccessible::queryAccessibleInterface(qApp)->text(QAccessible::Name).toStdString(), "Hapsavi");
        EXPECT_EQ(fw::WindowCount(), 4);
        for (int i = 0; i < fw::WindowCount(); ++i) {
            const auto window = fw::Window::Get(i);
            SCOPED_TRACE(window->Title());
            EXPECT_EQ(harness::FrameOf(*window)->windowIcon().availableSizes(), QList { QSize(64, 64) });
        }

        // Closing the launcher quits, giving up the text without asking.
        harness::CloseByUser(*launcher);
    });
    EXPECT_EQ(status, 0);
}

// Whatever fails, before the event loop (the picture missing, its folder
// there or not) or in it, the user is told in a box in Danish, with the
// details, once; then shutdown runs, and the status is 1. Start-up stops at
// the failure: no launcher without its picture, and no event loop.
TEST_F(Startup, AFailureIsShownInTheFailureBoxInDanishOnceAndTheStatusIsOne)
{
    QTemporaryDir dir;
    const QString folder = dir.path(), no_folder = dir.filePath("ingen");
    const std::tuple<QString, bool, QString> cases[] = {
        { folder, false, "Billedet 168 mangler eller kan ikke læses i " + folder + "." },
        { no_folder, false, "Billedet 168 mangler: mappen " + no_folder + " findes ikke." },
        { "", true, "NilObjectException: a handler found nil" },
    };
    for (const auto& [resources, in_loop, details] : cases) {
        SCOPED_TRACE(details.toStdString());
        fw::SetResourceFolder(resources.toStdString());
        std::vector<std::string> shown;   // title, text and details
        fw::FailureBox::on_headless = [&](const fw::FailureBox& box) {
            shown.push_back((box.windowTitle() + "|" + box.text() + "|" + box.detailedText()).toStdString());
            EXPECT_EQ(fw::WindowCount(), in_loop ? 1 : 0) << "the launcher is made only once its picture is read";
        };
        EXPECT_EQ(RunProgram([&] {
            EXPECT_TRUE(in_loop) << "the event loop ran";
            throw fw::NilObjectException("a handler found nil");
        }), 1);
        fw::FailureBox::on_headless = nullptr;
        EXPECT_EQ(shown, std::vector<std::string> { "Hapsavi|Der opstod en uventet fejl, og programmet lukkes.|" + details.toStdString() });
    }
}

namespace {

struct Ended {
    bool killed;         // still running at the end of the wait, or ended by a signal
    int status;
    std::string error;   // what it wrote to standard error
};

// Starts a built program as a user would, with no display and no platform
// named but the variables `set` ("NAME=value"), and waits until it ends or, if
// given, writes `awaited` to standard error. One still running then is killed:
// a program that got as far as its event loop does not end by itself.
Ended RunBuilt(const QString& program, const QStringList& set, const QByteArray& awaited = { })
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE" })
        environment.remove(name);
    for (const QString& variable : set)
        environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
    // A runtime folder of its own keeps the toolkit from warning about it.
    QTemporaryDir runtime;
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, { });
    QByteArray error;
    for (QDeadlineTimer deadline(60000); process.state() != QProcess::NotRunning && !deadline.hasExpired()
         && (awaited.isEmpty() || !error.contains(awaited));) {
        process.waitForFinished(100);
        error += process.readAllStandardError();
    }
    const bool killed = process.state() != QProcess::NotRunning || process.exitStatus() != QProcess::NormalExit;
    process.kill();
    process.waitForFinished();
    return { killed, process.exitCode(), (error + process.readAllStandardError()).toStdString() };
}

// A display number with no X server behind it.
QString DeadDisplay()
{
    int n = 99;
    while (QFile::exists(QString("/tmp/.X11-unix/X%1").arg(n)) || QFile::exists(QString("/tmp/.X%1-lock").arg(n)))
        ++n;
    return QString(":%1").arg(n);
}

}

// With no display, a platform named in QT_QPA_PLATFORM that cannot be loaded
// (none of that name; Wayland with no compositor) or no usable picture, the
// program ends at once with status 1, and its own line, the only one, says
// which and why: no toolkit's or image library's complaints, no wait.
TEST(Program, WhenItCannotStartSaysWhyInOneLineAndEndsWithStatusOne)
{
    const QString built = qEnvironmentVariable("HAPSAVI_BIN");
    QFile real(QFileInfo(built).dir().filePath("resources/168.png"));
    ASSERT_TRUE(real.open(QIODevice::ReadOnly));
    const QByteArray png = real.readAll();
    auto file = [](const QByteArray& bytes) {
        return [bytes](const QString& path) { QFile f(path); return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size(); };
    };
    const std::string no_display = "hapsavi: no display to show windows on\n";
    const std::string no_picture = "hapsavi: unhandled NilObjectException: picture 168 is missing";
    const struct {
        const char* what;
        QStringList set;
        std::function<bool(const QString&)> picture;   // makes it; none: no resources folder
        std::string line;   // without its end: followed by a reason
    } cases[] = {
        { "no display", { }, file(png), no_display },
        { "a dead display", { "DISPLAY=" + DeadDisplay() }, file(png), no_display },
        { "no such platform", { "QT_QPA_PLATFORM=nonesuch" }, file(png), "hapsavi: could not load platform \"nonesuch\": no such platform\n" },
        { "Wayland", { "QT_QPA_PLATFORM=wayland" }, file(png), "hapsavi: could not load platform \"wayland\": " },
        { "no resources folder", { "QT_QPA_PLATFORM=offscreen" }, nullptr, no_picture },
        { "not a picture", { "QT_QPA_PLATFORM=offscreen" }, file("not a picture at all"), no_picture },
        { "cut short", { "QT_QPA_PLATFORM=offscreen" }, file(png.left(300)), no_picture },
        // Far past what the image library will allocate.
        { "30000 x 30000 pixels", { "QT_QPA_PLATFORM=offscreen" }, file("P5\n30000 30000\n255\n"), no_picture },
        // Opening a pipe for reading would wait for a writer forever.
        { "a named pipe", { "QT_QPA_PLATFORM=offscreen" },
            [](const QString& path) { return mkfifo(QFile::encodeName(path).constData(), 0600) == 0; }, no_picture },
    };
    for (const auto& [what, set, picture, line] : cases) {
        SCOPED_TRACE(what);
        QTemporaryDir dir;
        ASSERT_TRUE(QFile::copy(built, dir.filePath("hapsavi")));
        if (picture) {
            ASSERT_TRUE(QDir(dir.path()).mkdir("resources") && picture(dir.filePath("resources/168.png")));
        }
        const Ended ended = RunBuilt(dir.filePath("hapsavi"), set);
        EXPECT_FALSE(ended.killed);
        EXPECT_EQ(ended.status, 1);
        EXPECT_EQ(ended.error.substr(0, line.size()), line);
        if (line.back() != '\n') {
            EXPECT_GT(ended.error.size(), line.size() + 1) << "no reason given";
        }
        EXPECT_EQ(ended.error.find('\n'), ended.error.size() - 1) << "not exactly one line:\n" << ended.error;
    }
}

// Installed into a prefix of its own, the program is a desktop program: it
// starts from there and finds its picture, and the desktop finds its menu
// entry (valid, naming the program's window class) and its icon.
TEST(Program, InstalledIntoAPrefixStartsFromThereAsADesktopProgram)
{
    QTemporaryDir prefix;
    QProcess install;
    install.start(HAPSAVI_CMAKE, { "--install", HAPSAVI_BUILD_DIR, "--prefix", prefix.path() });
    ASSERT_TRUE(install.waitForFinished(60000) && install.exitCode() == 0) << install.readAll().toStdString();
    const QDir installed(prefix.path());
    EXPECT_FALSE(installed.exists("bin/resources"));
    const QImage icon(installed.filePath("share/icons/hicolor/64x64/apps/hapsavi.png"));
    EXPECT_EQ(icon.size(), QSize(64, 64));
    EXPECT_TRUE(icon.hasAlphaChannel());

    const QString entry = installed.filePath("share/applications/hapsavi.desktop");
    QProcess validate;
    validate.start("desktop-file-validate", { entry });
    ASSERT_TRUE(validate.waitForFinished(60000)) << "desktop-file-validate (desktop-file-utils) did not run";
    EXPECT_EQ(validate.exitCode(), 0);
    EXPECT_EQ(validate.readAll().toStdString(), "");
    QSettings desktop(entry, QSettings::IniFormat);
    desktop.beginGroup("Desktop Entry");
    EXPECT_EQ(desktop.value("Exec").toString().toStdString(), "hapsavi");
    EXPECT_EQ(desktop.value("Icon").toString().toStdString(), "hapsavi");
    // The class of the program's windows: its name.
    EXPECT_EQ(desktop.value("StartupWMClass").toString().toStdString(), "Hapsavi");

    // Started from there, it shows its launcher and runs until it is ended.
    // The toolkit's accessibility log names each window as it is made.
    const QByteArray launcher = "name=\"Hapsavi\" role=Window";
    const Ended ended = RunBuilt(installed.filePath("bin/hapsavi"),
        { "QT_QPA_PLATFORM=offscreen", "QT_LOGGING_RULES=qt.accessibility.cache.debug=true" }, launcher);
    EXPECT_TRUE(ended.killed) << "it ended by itself";
    EXPECT_NE(ended.error.find(launcher.toStdString()), std::string::npos) << ended.error;
    EXPECT_EQ(ended.error.find("unhandled"), std::string::npos) << ended.error;
}
