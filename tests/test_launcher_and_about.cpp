#include "framework/BevelButton.h"
#include "framework/Canvas.h"
#include "framework/EditField.h"
#include "framework/Exceptions.h"
#include "framework/Picture.h"
#include "framework/PushButton.h"
#include "framework/ResourceFork.h"
#include "framework/Runtime.h"
#include "framework/StaticText.h"
#include "framework/Values.h"
#include "shell/App.h"
#include "shell/Hapsavibillede64x64.h"
#include "shell/Startup.h"
#include "shell/wHapsavi.h"
#include "shell/wOm.h"
#include "tests/support/Harness.h"
#include "tools/WindowClass.h"
#include "tools/wTilfaeldigRaekkefoelge.h"
#include "tools/wTilfaeldigtTal.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const char kTextA[] = "Brug programmet til at finde et tilf\xC3\xA6ldigt tal eller en tilf\xC3\xA6ldig r\xC3\xA6kkef\xC3\xB8lge "
                      "\xE2\x80\x93 en slags elektronisk terning.";
const char kTextC[] = "Programmet er gratis, men m\xC3\xA5 kun kopieres til eget brug. Det m\xC3\xA5 ikke videregives, "
                      "videres\xC3\xA6lges eller lignende.";

const std::vector<std::string> kReleaseOrder = {
    "Hapsavibillede64x64._permapic", "_mImplicitWindowList", "_WindowSupport.mDirtyWindows",
    "_WindowSupport.Windows", "Introspection.ArrayInfo.mArrayMap", "Introspection.ClassInfo.sClassRefMap",
    "Introspection.ClassInfo.sClassFQNToRefMap", "FileTypes.pText", "MenuBar1._implicitInstance",
};

struct Box {
    const char* name;
    int32_t left, top, width, height;
};

void ExpectControls(fw::Window& window, const std::vector<Box>& boxes)
{
    auto controls = window.Controls();
    ASSERT_EQ(controls.size(), boxes.size());
    for (size_t i = 0; i < boxes.size(); ++i) {
        SCOPED_TRACE(boxes[i].name);
        EXPECT_EQ(controls[i]->Name(), boxes[i].name);
        EXPECT_EQ(controls[i]->Left(), boxes[i].left);
        EXPECT_EQ(controls[i]->Top(), boxes[i].top);
        EXPECT_EQ(controls[i]->Width(), boxes[i].width);
        EXPECT_EQ(controls[i]->Height(), boxes[i].height);
    }
}

QString ShownText(const fw::Control& control)
{
    if (auto* label = qobject_cast<QLabel*>(harness::WidgetOf(control)))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(harness::WidgetOf(control)))
        return button->text();
    return { };
}

// The program's start-up up to the event loop, which these tests stand in for.
class Launcher : public ::testing::Test {
protected:
    void SetUp() override
    {
        harness::StartRuntime();
        fw::RuntimeInitExternalClasses();
        fw::InitPluginEntrypoints();
        InitFileTypes();
        NewAppInstance();
        ApplicationAddMenuHandlers();
        MakeDefaultView();
        launcher = fw::CheckCast<wHapsavi>(fw::Window::Get(0));
        ASSERT_TRUE(launcher);
    }
    void TearDown() override { harness::ExpectNoPendingException(); }

    std::shared_ptr<wHapsavi> launcher;
};

using AboutWindow = Launcher;

}

TEST_F(Launcher, IsOnScreenAtStartUpAsItsDesignSays)
{
    EXPECT_EQ(fw::WindowCount(), 1);
    EXPECT_TRUE(launcher->IsVisible());
    EXPECT_EQ(wHapsavi::Get(), launcher);
    EXPECT_EQ(launcher->Title(), "Hapsavi");
    EXPECT_EQ(launcher->Width(), 200);
    EXPECT_EQ(launcher->Height(), 166);
    EXPECT_FALSE(launcher->Resizable());
    EXPECT_TRUE(launcher->HasCloseButton());
    EXPECT_FALSE(launcher->HasMinimizeButton());
    EXPECT_FALSE(launcher->HasMaximizeButton());
    EXPECT_TRUE(launcher->Handlers().Names().empty());

    ExpectControls(*launcher, { { "Canvas1", 68, 14, 64, 64 }, { "BevelButton1", 20, 90, 160, 22 },
                                  { "BevelButton2", 20, 124, 160, 22 } });
    auto& canvas = ControlAs<fw::Canvas>(*launcher, "Canvas1");
    EXPECT_EQ(canvas.Backdrop(), Hapsavibillede64x64::Get());
    EXPECT_EQ(canvas.Backdrop()->Transparent(), 1);
    EXPECT_EQ(canvas.Backdrop()->Width(), 64);
    EXPECT_EQ(canvas.Backdrop()->Height(), 64);
    EXPECT_EQ(ShownText(ControlAs<fw::BevelButton>(*launcher, "BevelButton1")), QString::fromUtf8("Tilfældigt tal"));
    EXPECT_EQ(ShownText(ControlAs<fw::BevelButton>(*launcher, "BevelButton2")), QString::fromUtf8("Tilfældig rækkefølge"));
}

TEST_F(Launcher, ItsButtonsOpenTheToolWindowsAndBringThemBackToTheFront)
{
    auto& first = ControlAs<fw::BevelButton>(*launcher, "BevelButton1");
    auto& second = ControlAs<fw::BevelButton>(*launcher, "BevelButton2");

    harness::Click(first);
    auto numbers = fw::Window::Get(0);
    ASSERT_TRUE(fw::IsA(numbers.get(), wTilfaeldigtTal::Lookup()));
    EXPECT_TRUE(numbers->IsVisible());
    ControlAs<fw::EditField>(*numbers, "MaxTal").SetText("25");

    harness::Click(second);
    auto order = fw::Window::Get(0);
    ASSERT_TRUE(fw::IsA(order.get(), wTilfaeldigRaekkefoelge::Lookup()));

    harness::Click(first);
    EXPECT_EQ(fw::Window::Get(0), numbers);
    EXPECT_EQ(ControlAs<fw::EditField>(*numbers, "MaxTal").Text(), "25");
    harness::Click(second);
    EXPECT_EQ(fw::Window::Get(0), order);
    EXPECT_EQ(fw::WindowCount(), 3);

    // Once closed, the next press builds the window afresh from its design.
    numbers->Close();
    harness::ProcessEvents();
    harness::Click(first);
    auto fresh = fw::Window::Get(0);
    EXPECT_NE(fresh, numbers);
    EXPECT_EQ(ControlAs<fw::EditField>(*fresh, "MaxTal").Text(), "10");
    EXPECT_TRUE(launcher->IsOpen());
}

TEST_F(Launcher, APressOnThePictureIsTakenAndItsReleaseShowsTheAboutWindowModally)
{
    auto& canvas = ControlAs<fw::Canvas>(*launcher, "Canvas1");
    ASSERT_TRUE(canvas.on_mouse_down);
    for (int32_t at : { 0, 31, 63 })
        EXPECT_TRUE(canvas.on_mouse_down(at, at));
    EXPECT_EQ(fw::WindowCount(), 1) << "a press alone opens nothing";

    // Released away from the picture: the release still belongs to the canvas.
    harness::Press(canvas, 2, 2);
    EXPECT_FALSE(fw::GetImplicitWindow("wOm.wOm"));
    harness::Release(canvas, 150, 120);
    auto about = fw::GetImplicitWindow("wOm.wOm");
    ASSERT_TRUE(about);
    EXPECT_TRUE(about->IsModal());
    EXPECT_EQ(fw::Window::Get(0), about);
    EXPECT_EQ(ControlAs<fw::Canvas>(*about, "Canvas1").Backdrop(), canvas.Backdrop()) << "one picture for both windows";
}

TEST_F(AboutWindow, ShowsItsTextsByteForByte)
{
    auto about = wOm::Get();
    EXPECT_EQ(about->Title(), "Om Hapsavi");
    EXPECT_EQ(about->Width(), 446);
    EXPECT_EQ(about->Height(), 193);
    EXPECT_TRUE(about->Resizable());
    ExpectControls(*about, { { "Canvas1", 20, 14, 64, 64 }, { "StaticText1", 96, 14, 330, 20 },
                               { "StaticText2", 96, 46, 330, 57 }, { "StaticText3", 20, 90, 406, 57 },
                               { "StaticText4", 20, 115, 406, 57 }, { "PushButton1", 357, 153, 69, 20 } });

    auto& name = ControlAs<fw::StaticText>(*about, "StaticText1");
    EXPECT_EQ(name.Text(), "Hapsavi");
    EXPECT_TRUE(name.Style().bold);
    auto& description = ControlAs<fw::StaticText>(*about, "StaticText2");
    EXPECT_EQ(description.Text(), kTextA);
    EXPECT_EQ(fw::Len(description.Text()), 108);
    EXPECT_EQ(ShownText(description), QString::fromUtf8(kTextA));
    EXPECT_TRUE(ShownText(description).contains(QChar(0x2013)));
    auto& copyright = ControlAs<fw::StaticText>(*about, "StaticText3");
    EXPECT_EQ(copyright.Text().rfind("Copyright \xC2\xA9 ", 0), 0u);
    auto& terms = ControlAs<fw::StaticText>(*about, "StaticText4");
    EXPECT_EQ(terms.Text(), kTextC);
    EXPECT_EQ(fw::Len(terms.Text()), 110);
    EXPECT_EQ(terms.Style().font, "SmallSystem");
    for (const char* label : { "StaticText2", "StaticText3", "StaticText4" }) {
        EXPECT_TRUE(ControlAs<fw::StaticText>(*about, label).Multiline()) << label;
        EXPECT_FALSE(ShownText(ControlAs<fw::StaticText>(*about, label)).contains(QChar::ReplacementCharacter)) << label;
    }

    auto& ok = ControlAs<fw::PushButton>(*about, "PushButton1");
    EXPECT_EQ(ShownText(ok), "OK");
    EXPECT_TRUE(ok.IsDefault());
    EXPECT_TRUE(ok.IsCancel());
    EXPECT_TRUE(ok.LockRight() && ok.LockBottom() && !ok.LockLeft() && !ok.LockTop());

    // Its picture is the launcher's, and clicking it runs nothing.
    auto& canvas = ControlAs<fw::Canvas>(*about, "Canvas1");
    EXPECT_EQ(canvas.Backdrop(), ControlAs<fw::Canvas>(*launcher, "Canvas1").Backdrop());
    EXPECT_FALSE(canvas.on_mouse_down);
    EXPECT_FALSE(canvas.on_mouse_up);
}

TEST_F(AboutWindow, ClosesWithOkReturnEscapeOrItsCloseButton)
{
    const std::vector<std::pair<const char*, std::function<void(wOm&)>>> ways = {
        { "OK", [](wOm& about) { harness::Click(ControlAs<fw::PushButton>(about, "PushButton1")); } },
        { "Return", [](wOm& about) { harness::Key(about, Qt::Key_Return); } },
        { "Escape", [](wOm& about) { harness::Key(about, Qt::Key_Escape); } },
        { "close button", [](wOm& about) { harness::CloseByUser(about); } },
    };
    for (const auto& [way, close] : ways) {
        SCOPED_TRACE(way);
        auto about = wOm::Get();
        about->ShowModal();
        ASSERT_TRUE(about->IsModal());
        EXPECT_EQ(wOm::Get(), about) << "a second request gets the open window";

        close(*about);
        harness::ProcessEvents();
        EXPECT_FALSE(about->IsOpen());
        EXPECT_FALSE(fw::GetImplicitWindow("wOm.wOm"));
        EXPECT_EQ(fw::WindowCount(), 1);
        EXPECT_EQ(fw::Window::Get(0), launcher);
    }
}

TEST(LauncherRun, ClosingTheLauncherEndsTheLoopWithStatusZeroAndShutdownInOrder)
{
    fw::RuntimeInit();
    initialize();
    QTimer::singleShot(0, [] {
        auto launcher = fw::Window::Get(0);
        ASSERT_TRUE(launcher);
        harness::Click(ControlAs<fw::BevelButton>(*launcher, "BevelButton1"));
        harness::Click(ControlAs<fw::BevelButton>(*launcher, "BevelButton2"));
        EXPECT_EQ(fw::WindowCount(), 3);
        // Nothing asks: the tool windows' contents are given up.
        harness::CloseByUser(*launcher);
    });
    QTimer::singleShot(10000, [] {
        ADD_FAILURE() << "closing the launcher did not quit";
        fw::Quit(2);
    });
    Main();

    std::vector<std::string> released;
    fw::SetReleaseObserver([&](const std::string& name) { released.push_back(name); });
    finalize();
    fw::SetReleaseObserver({ });
    EXPECT_EQ(released, kReleaseOrder);
    EXPECT_EQ(fw::RuntimeExit(), 0);
}

TEST(Picture, IsLoadedOnceAndMadeTransparentOnlyWhenLoaded)
{
    harness::StartRuntime();
    auto picture = Hapsavibillede64x64::Get();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Transparent(), 1);
    picture->SetTransparent(0);
    EXPECT_EQ(Hapsavibillede64x64::Get(), picture);
    EXPECT_EQ(picture->Transparent(), 0);
}

TEST(Picture, WhileMissingRaisesOnEveryCallAndLoadsOnceItIsThere)
{
    harness::StartRuntime();
    const QString real_picture = QString::fromStdString(fw::ResourceFolder()) + "/168.png";
    QTemporaryDir resources;
    fw::SetResourceFolder(resources.path().toStdString());
    for (int call = 0; call < 2; ++call) {
        EXPECT_THROW(Hapsavibillede64x64::Get(), fw::NilObjectException);
        EXPECT_FALSE(Hapsavibillede64x64::_permapic);
    }
    ASSERT_TRUE(QFile::copy(real_picture, resources.path() + "/168.png"));
    auto picture = Hapsavibillede64x64::Get();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Transparent(), 1);
    fw::SetResourceFolder("");
}

namespace {

struct Outcome {
    bool exited { false };
    int status { -1 };
    int signal { 0 };
    std::string standard_error;
};

// Runs a copy of the program placed in `folder`, headless, and waits for it.
Outcome RunProgramIn(const QString& folder)
{
    const char* built = std::getenv("HAPSAVI_BIN");
    if (!built) {
        ADD_FAILURE() << "HAPSAVI_BIN is not set";
        return { };
    }
    const std::string program = (folder + "/hapsavi").toStdString();
    const std::string errors = (folder + "/stderr.txt").toStdString();
    if (!QFile::copy(QString::fromLocal8Bit(built), QString::fromStdString(program))) {
        ADD_FAILURE() << "cannot copy " << built;
        return { };
    }
    const pid_t child = fork();
    if (child == 0) {
        const int err = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(err, 2);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("XDG_RUNTIME_DIR", folder.toLocal8Bit().constData(), 1);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    Outcome outcome;
    int wait_status = 0;
    // A guard only: a program that entered its event loop would never end by itself.
    for (int tries = 0; waitpid(child, &wait_status, WNOHANG) == 0; ++tries) {
        if (tries == 600) {
            kill(child, SIGKILL);
            waitpid(child, &wait_status, 0);
            ADD_FAILURE() << "the program did not end";
            break;
        }
        usleep(50000);
    }
    outcome.exited = WIFEXITED(wait_status);
    outcome.status = outcome.exited ? WEXITSTATUS(wait_status) : -1;
    outcome.signal = WIFSIGNALED(wait_status) ? WTERMSIG(wait_status) : 0;
    QFile file(QString::fromStdString(errors));
    if (file.open(QIODevice::ReadOnly))
        outcome.standard_error = file.readAll().toStdString();
    return outcome;
}

}

// Started without a usable picture, the program ends at once: a non-zero
// status, no crash, and one line on standard error that says what is wrong.
TEST(Program, WithoutItsPictureFailsStartUpWithOneClearLine)
{
    for (bool corrupt : { false, true }) {
        SCOPED_TRACE(corrupt ? "corrupt 168.png" : "no resources folder");
        QTemporaryDir dir;
        if (corrupt) {
            ASSERT_TRUE(QDir(dir.path()).mkdir("resources"));
            QFile file(dir.path() + "/resources/168.png");
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("not a picture at all");
        }
        const Outcome outcome = RunProgramIn(dir.path());
        EXPECT_TRUE(outcome.exited) << "ended by signal " << outcome.signal;
        EXPECT_NE(outcome.status, 0);
        const std::string& text = outcome.standard_error;
        EXPECT_EQ(text.find('\n'), text.size() - 1) << "not exactly one line:\n" << text;
        EXPECT_NE(text.find("NilObjectException"), std::string::npos) << text;
        EXPECT_NE(text.find(corrupt ? "picture 168 is missing or unreadable" : "picture 168 is missing: there is no resources folder"),
            std::string::npos) << text;
    }
}
