// A press of "Tilfældig rækkefølge" on a long text, which is shuffled off the
// interface thread: what the user sees while it is pending and once it is
// done, and closing or quitting meanwhile. A substituted Rnd holds the
// shuffle at its first draw, so that a press stays pending until the test
// lets it go.

#include "framework/MenuCommands.h"
#include "framework/MenuItem.h"
#include "framework/Runtime.h"
#include "framework/Values.h"
#include "qt/TextRewrite.h"
#include "shell/Startup.h"
#include "tests/support/Controls.h"
#include "tests/support/Fixtures.h"
#include "tests/support/Harness.h"
#include "tools/LineShuffle.h"
#include "tools/wTilfaeldigRaekkefoelge.h"
#include "WindowList.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <latch>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>

// Set in a process that ends through exit() mid-run, as the toolkit ends it:
// what it held is left to the system, so LeakSanitizer has nothing to say.
static bool g_leaving = false;
extern "C" int __lsan_is_turned_off()
{
    return g_leaving;
}

namespace {

using harness::FixedSequence;
using harness::Tekstfelt;
fw::PushButton& Knap(fw::Window& w) { return harness::TilfaeldigRaekkefoelge(w); }
QPlainTextEdit& Editor(fw::Window& w) { return *static_cast<QPlainTextEdit*>(harness::WidgetOf(Tekstfelt(w))); }

// Some thousands of lines with Danish letters, LF between them, as a user would paste them.
QString LongText(int lines = 4001)
{
    QString text;
    for (int i = 0; i + 1 < lines; ++i)
        text += QStringLiteral("Linje %1 med æøå og ÆØÅ\n").arg(i);
    return text + QStringLiteral("sidste linje");
}

// A Rnd source that holds the shuffle at its first draw until released; then
// it draws the fixed sequence.
struct HeldRnd {
    double Draw()
    {
        if (draws++ == 0)
            held.count_down();
        released.wait();
        return values();
    }
    void Release() { std::call_once(release, [this] { released.count_down(); }); }

    std::function<double()> values { FixedSequence() };
    std::atomic<int> draws { 0 };
    std::latch held { 1 }, released { 1 };   // the shuffle at its first draw; let go
    std::once_flag release;
};

class BackgroundPress : public harness::AppTest {
protected:
    // The window, open with the long text pasted in.
    void SetUp() override
    {
        harness::AppTest::SetUp();
        m_window = wTilfaeldigRaekkefoelge::Get();
        m_window->Show();
        harness::Paste(Tekstfelt(*m_window), LongText());
    }

    // Presses the button; returns once the shuffle is held.
    void PressHeld()
    {
        m_rnd = std::make_shared<HeldRnd>();
        fw::SetRndSource([rnd = m_rnd] { return rnd->Draw(); });
        harness::Click(Knap(*m_window));
        m_rnd->held.wait();
        ASSERT_TRUE(Tekstfelt(*m_window).IsBusy());
    }

    // Lets a held shuffle go on, and waits until its work has ended and what it sends is in.
    void Finish()
    {
        if (m_rnd)
            m_rnd->Release();
        fw::WaitForBackgroundWork();
        harness::ProcessEvents();
    }

    // A shuffle still held lets go, so that the work it is in can end.
    void TearDown() override
    {
        Finish();
        harness::AppTest::TearDown();
    }

    std::shared_ptr<wTilfaeldigRaekkefoelge> m_window;
    std::shared_ptr<HeldRnd> m_rnd;
};

// While pending, nothing gets an edit in: typing, the Edit commands (by key
// and by menu), an input method (dead keys, ibus: it asks whether the field
// takes text, then commits it). Once done, the field holds what an immediate
// press would have left, and takes edits again.
TEST_F(BackgroundPress, WhilePendingTheFieldTakesNoEditsShowsBusyAndIgnoresASecondPressThenHoldsTheShuffle)
{
    auto& w = *m_window;
    auto& field = Tekstfelt(w);
    QPlainTextEdit& editor = Editor(w);
    const std::string before = field.Text();
    QScrollBar& scroll = *editor.verticalScrollBar();
    ASSERT_GT(scroll.value(), 0) << "the paste left the text scrolled to its end";
    fw::RunMenuEnablingPass();
    ASSERT_TRUE(fw::AppMenuItem("EditUndo")->Enabled()) << "the paste can be undone";
    const auto changes = std::make_shared<int>(0);   // TextChange events, on top of the window's handler
    field.on_text_change = [changes, handler = field.on_text_change] { ++*changes; handler(); };
    PressHeld();

    // The busy cursor over the whole window, the text included.
    EXPECT_EQ(harness::FrameOf(w)->cursor().shape(), Qt::BusyCursor);
    EXPECT_EQ(editor.viewport()->cursor().shape(), Qt::BusyCursor);
    EXPECT_EQ(harness::WidgetOf(Knap(w))->cursor().shape(), Qt::BusyCursor);

    harness::Type(field, "x\n");
    harness::Paste(field, "indsat");
    harness::Key(w, Qt::Key_A, Qt::ControlModifier);   // selecting is no edit
    EXPECT_EQ(field.SelLength(), fw::Len(before));
    for (const auto& [key, modifiers] : { std::pair { Qt::Key_X, Qt::ControlModifier }, { Qt::Key_Z, Qt::ControlModifier },
             { Qt::Key_V, Qt::ControlModifier }, { Qt::Key_Delete, Qt::NoModifier }, { Qt::Key_Backspace, Qt::NoModifier } })
        harness::Key(w, key, modifiers);
    for (const char* name : { "EditUndo", "EditCut", "EditPaste", "EditClear" })
        EXPECT_FALSE(fw::ChooseMenuItem(fw::AppMenuItem(name))) << name;
    EXPECT_TRUE(fw::ChooseMenuItem(fw::AppMenuItem("EditCopy")));
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QApplication::sendEvent(&editor, &query);
    EXPECT_FALSE(query.value(Qt::ImEnabled).toBool());
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("é"));
    QApplication::sendEvent(&editor, &commit);
    EXPECT_TRUE(field.Text() == before) << "the text is as it was";

    harness::Click(Knap(w));
    Finish();
    EXPECT_TRUE(field.Text() == ShuffleLines(before, FixedSequence())) << "one press, as an immediate press leaves it";
    EXPECT_EQ(*changes, 1);
    EXPECT_EQ(scroll.value(), 0);
    fw::RunMenuEnablingPass();
    EXPECT_FALSE(fw::AppMenuItem("EditUndo")->Enabled()) << "a press clears the undo history, as setting the text does";
    EXPECT_TRUE(fw::AppMenuItem("EditPaste")->Enabled());

    // The usual cursors, and the field takes edits again, at the top, nothing selected.
    EXPECT_EQ(harness::FrameOf(w)->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(editor.viewport()->cursor().shape(), Qt::IBeamCursor);
    QApplication::sendEvent(&editor, &query);
    EXPECT_TRUE(query.value(Qt::ImEnabled).toBool());
    QApplication::sendEvent(&editor, &commit);
    harness::Type(field, "x");
    EXPECT_TRUE(field.Text() == "éx" + ShuffleLines(before, FixedSequence()).value());
}

TEST_F(BackgroundPress, CtrlWDuringAPressClosesTheWindowAtOnceAndTheResultNeverArrives)
{
    auto& field = Tekstfelt(*m_window);
    PressHeld();
    const std::string before = field.Text();
    const auto changes = std::make_shared<int>(0);
    field.on_text_change = [changes, handler = field.on_text_change] { ++*changes; handler(); };
    harness::Key(*m_window, Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(m_window->IsOpen());
    Finish();
    EXPECT_EQ(*changes, 0);
    EXPECT_TRUE(field.Text() == before) << "the text is as it was";
    EXPECT_FALSE(field.IsBusy());
}

TEST_F(BackgroundPress, AWindowClosedAndGoneDuringAPressLeavesNothingBehind)
{
    PressHeld();
    harness::Key(*m_window, Qt::Key_W, Qt::ControlModifier);
    std::weak_ptr<fw::Window> closed = m_window;
    m_window.reset();
    harness::ProcessEvents();
    ASSERT_TRUE(closed.expired()) << "the window and its field are gone while the shuffle is held";
    Finish();
    auto again = wTilfaeldigRaekkefoelge::Get();
    again->Show();
    EXPECT_EQ(harness::FrameOf(*again)->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(BackgroundPress, AShuffleThatFailsInTheBackgroundFailsAsAPressDoesAndLeavesTheFieldEditable)
{
    auto& field = Tekstfelt(*m_window);
    const std::string before = field.Text();
    fw::SetRndSource([]() -> double { throw std::runtime_error("ingen tilfældighed"); });
    harness::Click(Knap(*m_window));
    Finish();
    const std::exception_ptr failure = fw::TakePendingException();
    ASSERT_TRUE(failure) << "the failure goes where a handler's failure goes";
    EXPECT_THROW(std::rethrow_exception(failure), std::runtime_error);
    EXPECT_TRUE(field.Text() == before) << "the text is as it was";
    EXPECT_EQ(harness::FrameOf(*m_window)->cursor().shape(), Qt::ArrowCursor);
    harness::Type(field, "x");
    EXPECT_TRUE(field.Text() == before + "x");
}

// What the program sets meanwhile holds: ReadOnly, set or cleared, once the
// press is done; a text, at once, ending the press.
TEST_F(BackgroundPress, WhatTheProgramSetsDuringAPressHolds)
{
    auto& field = Tekstfelt(*m_window);
    PressHeld();
    field.SetReadOnly(true);
    Finish();
    EXPECT_TRUE(field.ReadOnly());
    const std::string shuffled = field.Text();
    harness::Type(field, "x");
    EXPECT_TRUE(field.Text() == shuffled) << "still read-only after the press";

    PressHeld();
    field.SetReadOnly(false);
    harness::Type(field, "x");
    EXPECT_TRUE(field.Text() == shuffled) << "no edits while pending, read-only or not";
    Finish();
    harness::Type(field, "x");
    EXPECT_EQ(field.Text().substr(0, 1), "x");

    PressHeld();
    field.SetText("Anna\rBo");
    EXPECT_FALSE(field.IsBusy());
    Finish();
    EXPECT_TRUE(field.Text() == "Anna\rBo") << "the text the program set stays";
    EXPECT_EQ(harness::FrameOf(*m_window)->cursor().shape(), Qt::ArrowCursor);
}

// Losing the display ends the process from inside the toolkit (its X11
// plugin calls exit(1)), with the press's worker still running.
TEST(BackgroundPressExit, ExitDuringAPressEndsWithTheStatusGiven)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            harness::StartRuntime();
            initialize();
            auto window = wTilfaeldigRaekkefoelge::Get();
            window->Show();
            harness::Paste(Tekstfelt(*window), LongText(100000));
            harness::Click(Knap(*window));
            if (!Tekstfelt(*window).IsBusy())
                std::_Exit(3);
            // As the toolkit ends it: the window is held by the program's lists alone.
            window.reset();
            g_leaving = true;
            std::exit(1);
        },
        testing::ExitedWithCode(1), "");
}

using BackgroundPressQuit = harness::ProgramLife;

// The program's whole life, as main() runs it, quitting during a press.
TEST_F(BackgroundPressQuit, CtrlQDuringAPressEndsTheEventLoopAtOnceAndStopsTheShuffle)
{
    fw::RuntimeInit();
    initialize();
    auto rnd = std::make_shared<HeldRnd>();
    fw::SetRndSource([rnd] { return rnd->Draw(); });
    // More lines than the shuffle draws before it first asks whether to stop.
    constexpr int kLines = 70000;
    QTimer::singleShot(0, [&] {
        fw::Deliver([&] {
            auto launcher = fw::Window::Get(0);
            harness::Key(*launcher, Qt::Key_2, Qt::ControlModifier);
            auto order = fw::Window::Get(0);
            harness::Paste(Tekstfelt(*order), LongText(kLines));
            harness::Click(Knap(*order));
            rnd->held.wait();
            ASSERT_TRUE(Tekstfelt(*order).IsBusy());
            harness::Key(*order, Qt::Key_Q, Qt::ControlModifier);
        });
    });
    QTimer::singleShot(20000, [] {
        ADD_FAILURE() << "the program did not quit";
        fw::Quit(2);
    });
    Main();
    EXPECT_EQ(rnd->draws, 1) << "the loop ended while the shuffle was still held";
    // Shutdown as main() runs it; the shuffle goes on only once its window is gone.
    finalize();
    fw::WindowList::Get().DestroyAll();
    rnd->Release();
    EXPECT_EQ(fw::RuntimeExit(), 0);
    EXPECT_LT(rnd->draws, kLines) << "quitting stopped the shuffle before its last draw";
}

}
