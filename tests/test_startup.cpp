#include "framework/ClassRecord.h"
#include "framework/Exceptions.h"
#include "framework/FileType.h"
#include "framework/Global.h"
#include "framework/EditField.h"
#include "framework/MenuCommands.h"
#include "framework/PushButton.h"
#include "framework/StaticText.h"
#include "framework/ResourceFork.h"
#include "framework/Runtime.h"
#include "framework/Values.h"
#include "framework/Window.h"
#include "shell/FileTypes.h"
#include "shell/MenuBar1.h"
#include "shell/Startup.h"
#include "shell/wHapsavi.h"
#include "shell/wOm.h"
#include "tests/support/Harness.h"
#include "tools/WindowClass.h"
#include "tools/cEditfield.h"
#include "tools/wTilfaeldigRaekkefoelge.h"
#include "tools/wTilfaeldigtTal.h"

#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kReleaseOrder = {
    "Hapsavibillede64x64._permapic", "_mImplicitWindowList", "_WindowSupport.mDirtyWindows",
    "_WindowSupport.Windows", "Introspection.ArrayInfo.mArrayMap", "Introspection.ClassInfo.sClassRefMap",
    "Introspection.ClassInfo.sClassFQNToRefMap", "FileTypes.pText", "MenuBar1._implicitInstance",
};

// The program as main() runs it, with `user` as a handler run first in its loop;
// expects shutdown's nine releases in order and returns the exit status.
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
    std::vector<std::string> released;
    fw::SetReleaseObserver([&](const std::string& name) { released.push_back(name); });
    finalize();
    fw::SetReleaseObserver({ });
    EXPECT_EQ(released, kReleaseOrder);
    return fw::RuntimeExit();
}

// Counts its live copies, so a test can see that an exception was let go.
struct CountedFailure : std::runtime_error {
    static inline int live = 0;
    CountedFailure() : std::runtime_error("first failure") { ++live; }
    CountedFailure(const CountedFailure& other) : std::runtime_error(other) { ++live; }
    ~CountedFailure() override { --live; }
};

}

TEST(Startup, RegistersTheProgramsSevenClassesAfterTheFrameworksInOrder)
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
    EXPECT_NE(std::find(names.begin(), names.end() - own.size(), "Window"), names.end() - own.size());
    fw::RuntimeExit();
}

TEST(Startup, ANormalRunRegistersTheTextTypeOnceAndCtrlQFromAToolWindowQuitsWithStatusZero)
{
    const int status = RunProgram([] {
        const auto types = fw::RegisteredFileTypes();
        ASSERT_EQ(types.size(), 1u);
        EXPECT_EQ(types[0].name, "text");
        EXPECT_EQ(types[0].extensions, "");
        EXPECT_EQ(types[0].mac_type, "TEXT");
        EXPECT_EQ(types[0].mac_creator, "R*ch");
        EXPECT_EQ(fw::RegistrationCount(), 1);
        EXPECT_TRUE(FileTypes::pText->ExtensionsSet()) << "the empty extensions were set, not left out";

        auto launcher = fw::Window::Get(0);
        ASSERT_TRUE(fw::IsA(launcher.get(), wHapsavi::Lookup()));
        harness::Key(*launcher, Qt::Key_1, Qt::ControlModifier);
        auto numbers = fw::Window::Get(0);
        ASSERT_TRUE(fw::IsA(numbers.get(), wTilfaeldigtTal::Lookup()));
        harness::Key(*numbers, Qt::Key_Q, Qt::ControlModifier);
    });
    EXPECT_EQ(status, 0);
}

// What the Window menu shows: for each of its three window items, checked and enabled.
std::vector<std::pair<bool, bool>> WindowMenuMarks()
{
    fw::RunMenuEnablingPass();
    std::vector<std::pair<bool, bool>> marks;
    for (const auto& item : { VindueHapsavi(), VindueTilfaeldigtTal(), VindueTilfaeldigRaekkefoelge() })
        marks.emplace_back(item->Checked(), item->Enabled());
    return marks;
}

using Marks = std::vector<std::pair<bool, bool>>;

TEST(Startup, AUserWorksThroughBothToolsAndClosingTheLauncherQuitsWithStatusZero)
{
    const int status = RunProgram([] {
        auto launcher = fw::Window::Get(0);
        ASSERT_TRUE(fw::IsA(launcher.get(), wHapsavi::Lookup()));
        EXPECT_EQ(WindowMenuMarks(), (Marks { { true, false }, { false, true }, { false, true } }));

        // Ctrl+1, a maximum, Return: a number in range.
        harness::Key(*launcher, Qt::Key_1, Qt::ControlModifier);
        auto numbers = fw::Window::Get(0);
        ASSERT_TRUE(fw::IsA(numbers.get(), wTilfaeldigtTal::Lookup()));
        auto& maximum = ControlAs<fw::EditField>(*numbers, "MaxTal");
        maximum.SetSelStart(0);
        maximum.SetSelLength(fw::Len(maximum.Text()));
        harness::Type(maximum, "6");
        harness::Key(*numbers, Qt::Key_Return);
        const double drawn = fw::Val(ControlAs<fw::StaticText>(*numbers, "Tal").Text());
        EXPECT_TRUE(drawn >= 1 && drawn <= 6 && drawn == fw::Floor(drawn)) << drawn;

        // Ctrl+2, pasted lines, the button: the same lines in another order.
        harness::Key(*numbers, Qt::Key_2, Qt::ControlModifier);
        auto order = fw::Window::Get(0);
        ASSERT_TRUE(fw::IsA(order.get(), wTilfaeldigRaekkefoelge::Lookup()));
        auto& text = ControlAs<cEditfield>(*order, "Tekstfelt");
        harness::Paste(text, "en\nto\ntre\nfire");
        fw::SetRndSource([] { return 0.99; });
        harness::Click(ControlAs<fw::PushButton>(*order, "TilfaeldigRaekkefoelge"));
        fw::SetRndSource({ });
        EXPECT_EQ(text.Text(), "fire\rtre\rto\ren");

        // Back in the text, Ctrl+A selects it all; the Window menu marks the random-order window.
        harness::Focus(text);
        harness::Key(*order, Qt::Key_A, Qt::ControlModifier);
        EXPECT_EQ(text.SelLength(), fw::Len(text.Text()));
        EXPECT_EQ(WindowMenuMarks(), (Marks { { false, true }, { false, true }, { true, false } }));

        // Ctrl+W closes each tool window; Ctrl+0 brings the launcher back.
        harness::Key(*order, Qt::Key_W, Qt::ControlModifier);
        EXPECT_FALSE(order->IsOpen());
        EXPECT_EQ(fw::Window::Get(0), numbers);
        harness::Key(*numbers, Qt::Key_W, Qt::ControlModifier);
        EXPECT_FALSE(numbers->IsOpen());
        harness::Key(*launcher, Qt::Key_0, Qt::ControlModifier);
        EXPECT_EQ(fw::Window::Get(0), launcher);
        EXPECT_EQ(fw::WindowCount(), 1);

        // The About window from the menu, closed with Escape.
        fw::ChooseMenuItem(AppleAbout());
        auto about = fw::Window::Get(0);
        ASSERT_TRUE(fw::IsA(about.get(), wOm::Lookup()));
        EXPECT_TRUE(about->IsModal());
        harness::Key(*about, Qt::Key_Escape);
        EXPECT_FALSE(about->IsOpen());

        // Reopened, the random-order window holds its text: closing the launcher gives it up without asking.
        harness::Key(*launcher, Qt::Key_2, Qt::ControlModifier);
        ControlAs<cEditfield>(*fw::Window::Get(0), "Tekstfelt").SetText("ikke gemt");
        harness::CloseByUser(*launcher);
    });
    EXPECT_EQ(status, 0);
}

TEST(Startup, AFailureBeforeTheEventLoopSkipsTheLaterStepsButShutdownStillRuns)
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

TEST(Startup, AnExceptionLeavingTheEventLoopGoesToTheUnhandledPathOnce)
{
    int unhandled = 0;
    fw::SetUnhandledExceptionHandler([&](std::exception_ptr) { ++unhandled; });
    RunProgram([] { throw fw::NilObjectException("a handler found nil"); });
    EXPECT_EQ(unhandled, 1);
}

// main() then never reaches shutdown.
TEST(Startup, AnExceptionInsideTheUnhandledPathLeavesMainAndLetsTheFirstGo)
{
    fw::SetUnhandledExceptionHandler([](std::exception_ptr) { throw std::logic_error("raised while dealing with the first"); });
    EXPECT_THROW(RunProgram([] { throw CountedFailure(); }), std::logic_error);
    EXPECT_EQ(CountedFailure::live, 0);
    fw::SetUnhandledExceptionHandler({ });
}
