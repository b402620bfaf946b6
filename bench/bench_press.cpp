// A press of "Tilfældig rækkefølge" on huge texts, through the real widgets
// (offscreen): the longest time the interface thread is blocked in one go
// while the press runs, seen by a timer that ticks on that thread, and the
// time until the shuffled text is in the field; the memory a press takes and
// leaves, beside a bare QPlainTextEdit holding the same text; and closing
// the window during a press.
//
// Memory is the process's resident set (VmRSS, after malloc_trim) and its
// peak (VmHWM, reset before the press). Run one size per process for clean
// peaks: --benchmark_filter=BM_PressMemory/1000000/1/. 10^7 lines take about
// 11 GB at the peak.

#include "bench/DanishLines.h"
#include "framework/EditField.h"
#include "framework/PushButton.h"
#include "qt/TextRewrite.h"
#include "tests/support/Harness.h"
#include "framework/WindowClass.h"
#include "tools/wTilfaeldigRaekkefoelge.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QThreadPool>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <fstream>
#include <string>

namespace {

// Ticks every millisecond on the interface thread and keeps the longest gap between two ticks.
class StallWatch {
public:
    StallWatch()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Tick(); });
        m_clock.start();
        m_last = 0;
        m_timer.start();
    }
    double LongestMs() const { return static_cast<double>(m_longest) / 1e6; }

private:
    void Tick()
    {
        const qint64 now = m_clock.nsecsElapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last { 0 };
    qint64 m_longest { 0 };
};

// One press from the event loop, as the user's click comes: returns when the
// new text is in and the loop has had time to finish what the press left
// for later. The press starts with the field scrolled to its end.
void PressAndWatch(benchmark::State& state, const std::string& text, bool set = true)
{
    auto window = wTilfaeldigRaekkefoelge::Get();
    auto& field = ControlAs<fw::EditField>(*window, "Tekstfelt");
    auto* area = static_cast<QPlainTextEdit*>(harness::WidgetOf(field));
    if (set)
        field.SetText(text);
    area->moveCursor(QTextCursor::End);
    harness::ProcessEvents();

    QEventLoop loop;
    QElapsedTimer press;
    double until_text = 0;
    auto changed = QObject::connect(area, &QPlainTextEdit::textChanged, [&] {
        until_text = static_cast<double>(press.nsecsElapsed()) / 1e6;
        // What a press leaves for later (the old text to free) runs in the next turns of the loop.
        QTimer::singleShot(200, &loop, &QEventLoop::quit);
    });
    StallWatch watch;
    QTimer::singleShot(5, [&] {
        press.start();
        ControlAs<fw::PushButton>(*window, "TilfaeldigRaekkefoelge").Push();
    });
    loop.exec();
    QObject::disconnect(changed);
    state.SetIterationTime(until_text / 1e3);
    state.counters["longest_stall_ms"] = std::max(state.counters["longest_stall_ms"].value, watch.LongestMs());
    state.counters["text_in_ms"] = until_text;
}

// A line of /proc/self/status, in MiB.
double StatusMib(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key + ":", 0) == 0)
            return std::stod(line.substr(key.size() + 1)) / 1024;
    return 0;
}

// What the process holds now, once the loop has done what was left for later.
double HeldMib()
{
    QThreadPool::globalInstance()->waitForDone();
    for (int i = 0; i < 3; ++i) {
        harness::ProcessEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    malloc_trim(0);
    return StatusMib("VmRSS");
}

void ResetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The window's field holding the text, pasted (as the user gives it) or set
// (as the program does), and shown.
fw::EditField& ShownField(const std::string& text, bool pasted)
{
    auto window = wTilfaeldigRaekkefoelge::Get();
    auto& field = ControlAs<fw::EditField>(*window, "Tekstfelt");
    field.SetText("");
    if (pasted && !text.empty())
        harness::Paste(field, QString::fromStdString(text));
    else
        field.SetText(text);
    QApplication::clipboard()->clear();
    harness::ProcessEvents();
    return field;
}

// What a bare toolkit field, as big as the program's and shown, holds for
// the text: pasted (inserted at the cursor) or set (setPlainText).
double BareMib(const QString& lines, bool pasted)
{
    QPlainTextEdit field;
    field.resize(302, 249);
    field.show();
    const double empty = HeldMib();
    if (pasted)
        field.insertPlainText(lines);
    else
        field.setPlainText(lines);
    return HeldMib() - empty;
}

// The text given as the user does (pasted) or as the program does (set).
// Shown, the toolkit's setPlainText (the bare field's too) ends with a
// layout object for every line, a paste does not, and so does showing a
// new document, as a press does.
void PressMemory(benchmark::State& state, const std::string& text, bool pasted)
{
    QString lines = QString::fromStdString(text);
    lines.replace(u'\r', u'\n');
    for (auto _ : state) {
        const double bare_pasted = BareMib(lines, true);
        const double bare_set = BareMib(lines, false);
        ShownField("", false);
        const double empty = HeldMib();
        ShownField(text, pasted);
        const double before = HeldMib();
        ResetPeak();
        PressAndWatch(state, text, false);
        const double peak = StatusMib("VmHWM");
        const double after = HeldMib();
        ShownField("", false);
        state.counters["bare_pasted_mib"] = bare_pasted;
        state.counters["bare_set_mib"] = bare_set;
        state.counters["before_mib"] = before;
        state.counters["peak_mib"] = peak;
        state.counters["after_mib"] = after;
        state.counters["after_vs_bare_pasted"] = (after - empty) / bare_pasted;
        state.counters["after_vs_bare_set"] = (after - empty) / bare_set;
        state.counters["peak_vs_before"] = peak / before;
    }
}

// range(1): 1 pasted, 0 set.
void BM_PressMemory(benchmark::State& state)
{
    PressMemory(state, DanishLines(state.range(0)), state.range(1) != 0);
}

// Only line breaks (a file of line feeds): n empty lines.
void BM_PressMemoryEmptyLines(benchmark::State& state)
{
    PressMemory(state, std::string(static_cast<size_t>(state.range(0) - 1), '\r'), state.range(1) != 0);
}

void BM_PressStall(benchmark::State& state)
{
    const std::string text = DanishLines(state.range(0));
    for (auto _ : state)
        PressAndWatch(state, text);
}

// The window closed some milliseconds into a press of a million lines (what
// Ctrl+W does): how long it takes to close and go, and how long the dropped
// work runs on after that.
void BM_CloseDuringPress(benchmark::State& state)
{
    const std::string text = DanishLines(1000000);
    for (auto _ : state) {
        auto window = wTilfaeldigRaekkefoelge::Get();
        window->Show();
        ControlAs<fw::EditField>(*window, "Tekstfelt").SetText(text);
        ControlAs<fw::PushButton>(*window, "TilfaeldigRaekkefoelge").Push();
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(state.range(0)), &loop, &QEventLoop::quit);
        loop.exec();

        QElapsedTimer clock;
        clock.start();
        window->Close();
        window.reset();
        harness::ProcessEvents();
        const double closed = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        clock.restart();
        fw::WaitForBackgroundWork();
        const double work_left = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        state.SetIterationTime((closed + work_left) / 1e3);
        state.counters["close_ms"] = closed;
        state.counters["work_left_ms"] = work_left;
    }
}

}

BENCHMARK(BM_PressStall)->Arg(10000)->Arg(100000)->Arg(1000000)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PressMemory)->ArgsProduct({ { 100000, 1000000, 10000000 }, { 1, 0 } })->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PressMemoryEmptyLines)->ArgsProduct({ { 1000000 }, { 1, 0 } })->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CloseDuringPress)->Arg(50)->Arg(500)->Arg(1500)->Arg(2500)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    harness::StartRuntime();
    wTilfaeldigRaekkefoelge::Get()->Show();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    harness::StopRuntime();
    return 0;
}
