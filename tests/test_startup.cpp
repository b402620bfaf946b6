// The whole program: as main() runs it, in this process, and the built
// program started as a user would.

#include "framework/Exceptions.h"
#include "framework/Picture.h"
#include "framework/ResourceFork.h"
#include "framework/Runtime.h"
#include "framework/Values.h"
#include "qt/FailureBox.h"
#include "shell/Hapsavibillede64x64.h"
#include "shell/Startup.h"
#include "shell/wHapsavi.h"
#include "shell/wOm.h"
#include "tests/support/Controls.h"
#include "tests/support/Fixtures.h"
#include "tests/support/Harness.h"
#include "tools/wTilfaeldigRaekkefoelge.h"
#include "tools/wTilfaeldigtTal.h"

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

#include <cstdint>
#include <cstdlib>
#include <exception>
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
        fw::SetRndSource({ });
        EXPECT_EQ(text.Text(), "fire\rtre\rto\ren");

        // Ctrl+W closes a tool window, the one behind comes forward; Ctrl+0 brings the launcher.
        harness::Key(*order, Qt::Key_W, Qt::ControlModifier);
        EXPECT_FALSE(order->IsOpen());
        EXPECT_EQ(fw::Window::Get(0), numbers);
        harness::Key(*numbers, Qt::Key_0, Qt::ControlModifier);
        EXPECT_EQ(fw::Window::Get(0), launcher);

        // With text typed in the random-order window, closing the launcher gives it up without asking.
        harness::Key(*launcher, Qt::Key_2, Qt::ControlModifier);
        harness::Tekstfelt(*fw::Window::Get(0)).SetText("ikke gemt");
        harness::CloseByUser(*launcher);
    });
    EXPECT_EQ(status, 0);
}

TEST_F(Startup, AFailureBeforeTheEventLoopSkipsTheLaterStepsButShutdownStillRuns)
{
    QTemporaryDir empty;
    fw::SetResourceFolder(empty.path().toStdString());
    int unhandled = 0;
    fw::SetUnhandledExceptionHandler([&](std::exception_ptr exception) {
        ++unhandled;
        EXPECT_THROW(std::rethrow_exception(exception), fw::NilObjectException);
        EXPECT_EQ(fw::WindowCount(), 0) << "the launcher was not made";
    });
    bool loop_ran = false;
    RunProgram([&] { loop_ran = true; });
    EXPECT_EQ(unhandled, 1);
    EXPECT_FALSE(loop_ran);
    fw::SetResourceFolder("");
}

TEST_F(Startup, TheDesktopKnowsTheProgramAsHapsaviWithTheDieAsEveryWindowsIcon)
{
    RunProgram([] {
        // The window class is the application's name (the xcb platform sets it from it).
        EXPECT_EQ(QGuiApplication::applicationName().toStdString(), "Hapsavi");
        EXPECT_EQ(QGuiApplication::applicationDisplayName().toStdString(), "Hapsavi");
        EXPECT_EQ(QAccessible::queryAccessibleInterface(qApp)->text(QAccessible::Name).toStdString(), "Hapsavi");

        harness::Open<wTilfaeldigtTal>();
        harness::Open<wTilfaeldigRaekkefoelge>();
        wOm::Get()->ShowModal();
        const auto die = Hapsavibillede64x64::Get();
        ASSERT_EQ(fw::WindowCount(), 4);
        for (int32_t i = 0; i < fw::WindowCount(); ++i) {
            const auto window = fw::Window::Get(i);
            SCOPED_TRACE(window->Title());
            const QIcon icon = harness::FrameOf(*window)->windowIcon();
            EXPECT_FALSE(icon.isNull());
            EXPECT_EQ(icon.availableSizes(), QList { QSize(die->Width(), die->Height()) });
        }
        fw::Quit(0);
    });
}

// Whether the picture's folder is there or not, the box tells the user in
// Danish what is missing, and where.
TEST_F(Startup, WithoutItsPictureTheFailureBoxTellsTheUserInDanishWhatIsMissingAndWhere)
{
    QTemporaryDir dir;
    const QString folder = dir.path(), no_folder = dir.filePath("ingen");
    const std::pair<QString, QString> cases[] = {
        { folder, "Billedet 168 mangler eller kan ikke læses i " + folder + "." },
        { no_folder, "Billedet 168 mangler: mappen " + no_folder + " findes ikke." },
    };
    for (const auto& [resources, details] : cases) {
        SCOPED_TRACE(resources.toStdString());
        fw::SetResourceFolder(resources.toStdString());
        std::vector<std::array<QString, 3>> shown;
        fw::FailureBox::on_headless = [&](const fw::FailureBox& box) {
            shown.push_back({ box.windowTitle(), box.text(), box.detailedText() });
        };
        EXPECT_EQ(RunProgram([] { ADD_FAILURE() << "the event loop ran"; }), 1);
        fw::FailureBox::on_headless = nullptr;
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0][0].toStdString(), "Hapsavi");
        EXPECT_EQ(shown[0][1].toStdString(), "Der opstod en uventet fejl, og programmet lukkes.");
        EXPECT_EQ(shown[0][2].toStdString(), details.toStdString());
    }
}

TEST_F(Startup, AnExceptionLeavingTheEventLoopGoesToTheUnhandledPathOnce)
{
    int unhandled = 0;
    fw::SetUnhandledExceptionHandler([&](std::exception_ptr) { ++unhandled; });
    RunProgram([] { throw fw::NilObjectException("a handler found nil"); });
    EXPECT_EQ(unhandled, 1);
}

namespace {

struct Ended {
    bool by_itself;
    int status;
    std::string error;   // what it wrote to standard error
};

// Starts the built program as a user would, with the environment given, and
// waits for it to end: a program that got as far as its event loop does not
// end by itself, and is killed.
Ended RunBuiltProgram(const QString& program, QProcessEnvironment environment)
{
    // A runtime folder of its own keeps the toolkit from warning about it.
    QTemporaryDir runtime;
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, { });
    const bool ended = process.waitForFinished(20000);
    if (!ended)
        process.kill(), process.waitForFinished();
    return { ended && process.exitStatus() == QProcess::NormalExit, process.exitCode(),
        process.readAllStandardError().toStdString() };
}

QString BuiltProgram()
{
    const char* built = std::getenv("HAPSAVI_BIN");
    return built ? QString::fromLocal8Bit(built) : QString();
}

// A display number with no X server behind it.
QString DeadDisplay()
{
    int n = 99;
    while (QFile::exists(QString("/tmp/.X11-unix/X%1").arg(n)) || QFile::exists(QString("/tmp/.X%1-lock").arg(n)))
        ++n;
    return QString(":%1").arg(n);
}

uint32_t Crc32(const QByteArray& bytes)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= static_cast<uint8_t>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// The picture with its header claiming 60000 x 60000 pixels, far past what the image library will allocate.
QByteArray Oversized(QByteArray png)
{
    // The header chunk's type at byte 12, width and height at 16, its checksum over type and data at 29.
    auto put = [&](int at, uint32_t value) {
        for (int k = 0; k < 4; ++k)
            png[at + k] = static_cast<char>(value >> (24 - 8 * k));
    };
    put(16, 60000);
    put(20, 60000);
    put(29, Crc32(png.mid(12, 17)));
    return png;
}

}

// No display, or a platform named in QT_QPA_PLATFORM that cannot be loaded
// (none of that name; Wayland with no compositor): one line says which, and why.
TEST(Program, WhenItCannotShowWindowsSaysWhyInOneLineAndEndsWithStatusOne)
{
    ASSERT_FALSE(BuiltProgram().isEmpty());
    QProcessEnvironment headless = QProcessEnvironment::systemEnvironment();
    for (const char* name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE" })
        headless.remove(name);
    const std::tuple<const char*, QString, std::string> cases[] = {
        { "DISPLAY", QString(), "hapsavi: no display to show windows on\n" },
        { "DISPLAY", DeadDisplay(), "hapsavi: no display to show windows on\n" },
        { "QT_QPA_PLATFORM", "nonesuch", "hapsavi: could not load platform \"nonesuch\": no such platform\n" },
        // Followed by the toolkit's reason.
        { "QT_QPA_PLATFORM", "wayland", "hapsavi: could not load platform \"wayland\": " },
    };
    for (const auto& [name, value, line] : cases) {
        SCOPED_TRACE(std::string(name) + "=" + value.toStdString());
        QProcessEnvironment environment = headless;
        if (!value.isEmpty())
            environment.insert(name, value);
        const Ended ended = RunBuiltProgram(BuiltProgram(), environment);
        EXPECT_TRUE(ended.by_itself) << "killed, or ended by a signal";
        EXPECT_EQ(ended.status, 1);
        EXPECT_EQ(ended.error.substr(0, line.size()), line);
        if (line.back() != '\n') {
            EXPECT_GT(ended.error.size(), line.size() + 1) << "no reason given";
        }
        EXPECT_EQ(ended.error.find('\n'), ended.error.size() - 1) << "not exactly one line:\n" << ended.error;
    }
}

// Whatever is wrong with the picture, start-up ends at once with the
// program's own line as the only one: no image library's complaints, no wait.
TEST(Program, WithoutAUsablePictureFailsStartUpWithOneClearLine)
{
    ASSERT_FALSE(BuiltProgram().isEmpty());
    QFile real(QFileInfo(BuiltProgram()).dir().filePath("resources/168.png"));
    ASSERT_TRUE(real.open(QIODevice::ReadOnly));
    const QByteArray png = real.readAll();
    const std::pair<const char*, std::function<bool(const QString&)>> cases[] = {
        { "no resources folder", nullptr },
        { "not a picture", [](const QString& path) { QFile f(path); return f.open(QIODevice::WriteOnly) && f.write("not a picture at all") > 0; } },
        { "cut short", [&](const QString& path) { QFile f(path); return f.open(QIODevice::WriteOnly) && f.write(png.left(300)) == 300; } },
        { "oversized", [&](const QString& path) { QFile f(path); return f.open(QIODevice::WriteOnly) && f.write(Oversized(png)) == png.size(); } },
        // Opening a pipe for reading would wait for a writer forever.
        { "a named pipe", [](const QString& path) { return mkfifo(QFile::encodeName(path).constData(), 0600) == 0; } },
    };
    for (const auto& [what, make] : cases) {
        SCOPED_TRACE(what);
        QTemporaryDir dir;
        if (make) {
            ASSERT_TRUE(QDir(dir.path()).mkdir("resources"));
            ASSERT_TRUE(make(dir.filePath("resources/168.png")));
        }
        ASSERT_TRUE(QFile::copy(BuiltProgram(), dir.filePath("hapsavi")));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        const Ended ended = RunBuiltProgram(dir.filePath("hapsavi"), environment);
        EXPECT_TRUE(ended.by_itself) << "killed, or ended by a signal";
        EXPECT_EQ(ended.status, 1);
        EXPECT_EQ(ended.error.find('\n'), ended.error.size() - 1) << "not exactly one line:\n" << ended.error;
        EXPECT_EQ(ended.error.rfind("hapsavi: unhandled NilObjectException: picture 168 is missing", 0), 0u) << ended.error;
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
    EXPECT_TRUE(QFileInfo(installed.filePath("bin/hapsavi")).isExecutable());
    EXPECT_FALSE(installed.exists("bin/resources"));
    EXPECT_FALSE(QImage(installed.filePath("share/hapsavi/resources/168.png")).isNull());
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
    // The class of the program's windows: its name (see TheDesktopKnowsTheProgramAsHapsavi...).
    EXPECT_EQ(desktop.value("StartupWMClass").toString().toStdString(), "Hapsavi");

    // Started from there, it shows its launcher and runs until it is ended.
    // The toolkit's accessibility log names each window as it is made.
    QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    environment.insert("QT_LOGGING_RULES", "qt.accessibility.cache.debug=true");
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(installed.filePath("bin/hapsavi"), { });
    QByteArray error;
    const QByteArray launcher = "name=\"Hapsavi\" role=Window";
    for (QDeadlineTimer deadline(60000); !error.contains(launcher) && program.state() != QProcess::NotRunning && !deadline.hasExpired();) {
        program.waitForReadyRead(100);
        error += program.readAllStandardError();
    }
    EXPECT_EQ(program.state(), QProcess::Running) << "it ended:\n" << error.toStdString();
    EXPECT_TRUE(error.contains(launcher)) << error.toStdString();
    EXPECT_FALSE(error.contains("unhandled")) << error.toStdString();
    program.kill();
    program.waitForFinished();
}
