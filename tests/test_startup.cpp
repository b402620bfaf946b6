#include "framework/Application.h"
#include "framework/ClassRecord.h"
#include "framework/Exceptions.h"
#include "framework/FileType.h"
#include "framework/Global.h"
#include "framework/ResourceFork.h"
#include "framework/Runtime.h"
#include "framework/Window.h"
#include "shell/App.h"
#include "shell/FileTypes.h"
#include "shell/Hapsavibillede64x64.h"
#include "shell/MenuBar1.h"
#include "shell/Startup.h"
#include "shell/wHapsavi.h"

#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kReleaseOrder = {
    "Hapsavibillede64x64._permapic",
    "_mImplicitWindowList",
    "_WindowSupport.mDirtyWindows",
    "_WindowSupport.Windows",
    "Introspection.ArrayInfo.mArrayMap",
    "Introspection.ClassInfo.sClassRefMap",
    "Introspection.ClassInfo.sClassFQNToRefMap",
    "FileTypes.pText",
    "MenuBar1._implicitInstance",
};

std::vector<std::string> ReleasesOfFinalize()
{
    std::vector<std::string> released;
    fw::SetReleaseObserver([&](const std::string& name) { released.push_back(name); });
    finalize();
    fw::SetReleaseObserver({ });
    return released;
}

// Counts its live copies, so a test can see that an exception was let go.
struct CountedFailure : std::runtime_error {
    static inline int live = 0;
    CountedFailure() : std::runtime_error("first failure") { ++live; }
    CountedFailure(const CountedFailure& other) : std::runtime_error(other) { ++live; }
    ~CountedFailure() override { --live; }
};

struct SecondFailure : std::runtime_error {
    SecondFailure() : std::runtime_error("raised while dealing with the first") { }
};

}

TEST(Startup, RegistersTheProgramsSevenClassesLastAndInOrder)
{
    fw::RuntimeInit();
    initialize();
    const std::vector<std::string> own = {
        "wTilfaeldigtTal.wTilfaeldigtTal", "MenuBar1.MenuBar1", "App", "cEditfield",
        "wTilfaeldigRaekkefoelge.wTilfaeldigRaekkefoelge", "wOm.wOm", "wHapsavi.wHapsavi",
    };
    auto names = fw::ClassInfo::RegisteredNames();
    ASSERT_GT(names.size(), own.size());
    EXPECT_EQ(std::vector<std::string>(names.end() - own.size(), names.end()), own);
    EXPECT_NE(std::find(names.begin(), names.end(), "Window"), names.end());
    EXPECT_EQ(fw::WindowCount(), 0) << "registration creates no window";

    // A second registration changes nothing.
    initialize();
    EXPECT_EQ(fw::ClassInfo::RegisteredNames(), names);
    fw::RuntimeExit();
}

// Everything start-up does is in place when the event loop first runs.
TEST(Startup, ANormalRunSetsEverythingUpBeforeTheLoopAndShutsDownInOrder)
{
    fw::RuntimeInit();
    initialize();
    bool looked = false;
    QTimer::singleShot(0, [&] {
        looked = true;
        const auto types = fw::RegisteredFileTypes();
        ASSERT_EQ(types.size(), 1u);
        const fw::FileTypeRecord& type = types.front();
        EXPECT_EQ(type.name, "text");
        EXPECT_EQ(type.extensions, "");
        EXPECT_EQ(type.mac_type, "TEXT");
        EXPECT_EQ(type.mac_creator, "R*ch");
        EXPECT_EQ(fw::RegistrationCount(), 1);
        EXPECT_TRUE(FileTypes::pText->ExtensionsSet());

        auto app = App::Get();
        ASSERT_TRUE(app);
        EXPECT_EQ(app->GetMenuBar(), MenuBar1::_implicitInstance.Get());
        EXPECT_EQ(app->Handlers().Names(), (std::vector<std::string> {
            "VindueTilfaeldigtTal", "VindueTilfaeldigRaekkefoelge", "AppleAbout", "VindueHapsavi" }));

        EXPECT_EQ(fw::WindowCount(), 1);
        auto launcher = fw::Window::Get(0);
        EXPECT_TRUE(fw::IsA(launcher.get(), wHapsavi::Lookup()));
        EXPECT_TRUE(launcher->IsVisible());
        EXPECT_TRUE(Hapsavibillede64x64::_permapic);
        fw::Quit(0);
    });
    QTimer::singleShot(10000, [] {
        ADD_FAILURE() << "the program did not quit";
        fw::Quit(2);
    });
    Main();
    EXPECT_TRUE(looked);

    // The application object is still registered when shutdown runs, and stays so.
    EXPECT_TRUE(App::Get());
    EXPECT_EQ(ReleasesOfFinalize(), kReleaseOrder);
    EXPECT_TRUE(App::Get());
    EXPECT_FALSE(Hapsavibillede64x64::_permapic);
    EXPECT_FALSE(FileTypes::pText);
    EXPECT_FALSE(MenuBar1::_implicitInstance);
    EXPECT_EQ(fw::RuntimeExit(), 0);
}

TEST(Startup, AFailureBeforeTheEventLoopSkipsTheLaterStepsButShutdownStillRuns)
{
    QTemporaryDir empty;
    fw::SetResourceFolder(empty.path().toStdString());
    fw::RuntimeInit();
    initialize();
    std::vector<std::string> unhandled;
    fw::SetUnhandledExceptionHandler([&](std::exception_ptr exception) {
        try {
            std::rethrow_exception(exception);
        } catch (const fw::RuntimeException& e) {
            unhandled.push_back(std::string(e.Name()) + ": " + e.what());
        }
    });
    bool loop_ran = false;
    QTimer::singleShot(0, [&] { loop_ran = true; });

    Main();

    ASSERT_EQ(unhandled.size(), 1u);
    EXPECT_NE(unhandled[0].find("NilObjectException"), std::string::npos) << unhandled[0];
    EXPECT_NE(unhandled[0].find("picture 168"), std::string::npos) << unhandled[0];
    EXPECT_FALSE(loop_ran);
    EXPECT_EQ(fw::WindowCount(), 0);
    EXPECT_FALSE(fw::GetImplicitWindow("wHapsavi.wHapsavi"));

    // The picture was never loaded; releasing its nil cache is harmless.
    EXPECT_FALSE(Hapsavibillede64x64::_permapic);
    EXPECT_EQ(ReleasesOfFinalize(), kReleaseOrder);
    EXPECT_EQ(ReleasesOfFinalize(), kReleaseOrder) << "a second release of nil globals does nothing more";
    fw::RuntimeExit();
    fw::SetResourceFolder("");
}

TEST(Startup, AnExceptionLeavingTheEventLoopGoesToTheUnhandledPathOnce)
{
    fw::RuntimeInit();
    initialize();
    int unhandled = 0;
    fw::SetUnhandledExceptionHandler([&](std::exception_ptr) { ++unhandled; });
    int loop_entries = 0;
    QTimer::singleShot(0, [&] {
        ++loop_entries;
        // A handler fails: the runtime keeps the exception and ends the loop.
        fw::Deliver([] { throw fw::NilObjectException("a handler found nil"); });
    });
    QTimer::singleShot(10000, [] {
        ADD_FAILURE() << "the loop went on after the failure";
        fw::Quit(2);
    });

    Main();

    EXPECT_EQ(unhandled, 1);
    EXPECT_EQ(loop_entries, 1);
    EXPECT_FALSE(fw::RuntimeRunning());
    EXPECT_EQ(ReleasesOfFinalize(), kReleaseOrder);
    fw::RuntimeExit();
}

TEST(Startup, AnExceptionInsideTheUnhandledPathLeavesMainAndLetsTheFirstGo)
{
    fw::RuntimeInit();
    initialize();
    fw::SetUnhandledExceptionHandler([](std::exception_ptr) { throw SecondFailure(); });
    QTimer::singleShot(0, [] { fw::Deliver([] { throw CountedFailure(); }); });
    QTimer::singleShot(10000, [] { fw::Quit(2); });

    EXPECT_THROW(Main(), SecondFailure);
    EXPECT_EQ(CountedFailure::live, 0);
    fw::SetUnhandledExceptionHandler({ });
    fw::RuntimeExit();
}
