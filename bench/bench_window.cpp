// The random-order window with huge texts, through the real widgets
// (offscreen), with the application object and its menu bar made as start-up
// makes them, so that every shortcut runs the menu-enabling pass first.
//
// - A press of the button and one keystroke, split into the toolkit's share
//   (showing the text) and the program's (reading it, the enabling rule, the
//   shuffle).
// - Each Edit shortcut in the program's field beside the same key in a bare
//   QPlainTextEdit holding the same text (BM_Shortcut/key/lines against
//   BM_BareShortcut/key/lines): what the program adds is the difference.
// - One long line without a break opportunity, against the same length with
//   spaces: pasted, shown, and the window resized.

#include "bench/DanishLines.h"
#include "framework/EditField.h"
#include "framework/MenuCommands.h"
#include "framework/PushButton.h"
#include "framework/Values.h"
#include "framework/WindowClass.h"
#include "shell/App.h"
#include "shell/Startup.h"
#include "tests/support/Harness.h"
#include "tools/LineShuffle.h"
#include "tools/wTilfaeldigRaekkefoelge.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QTest>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

QString WithLineFeeds(std::string text)
{
    std::replace(text.begin(), text.end(), '\r', '\n');
    return QString::fromStdString(text);
}

std::shared_ptr<wTilfaeldigRaekkefoelge> Window()
{
    return wTilfaeldigRaekkefoelge::Get();
}

fw::EditField& Field()
{
    return ControlAs<fw::EditField>(*Window(), "Tekstfelt");
}

// The program's field holding n lines (set only when it holds another count).
void FieldWith(int64_t lines)
{
    static int64_t shown = -1;
    if (shown != lines) {
        Field().SetText(DanishLines(lines));
        shown = lines;
    }
    harness::Focus(Field());
    Field().SetSelStart(0);
}

// A bare toolkit text field, as big as the program's; it goes before the toolkit does.
std::unique_ptr<QPlainTextEdit> bare;

// The bare field holding n lines.
QPlainTextEdit& BareWith(int64_t lines)
{
    static int64_t shown = -1;
    if (!bare) {
        bare = std::make_unique<QPlainTextEdit>();
        bare->resize(302, 249);
        bare->show();
    }
    if (shown != lines) {
        bare->setPlainText(WithLineFeeds(DanishLines(lines)));
        shown = lines;
    }
    bare->activateWindow();
    bare->setFocus();
    bare->moveCursor(QTextCursor::Start);
    return *bare;
}

// --- a press, a keystroke ------------------------------------------------------

// Toolkit: the field shows a new text of n lines.
void BM_ShowText(benchmark::State& state)
{
    const std::string text = DanishLines(state.range(0));
    for (auto _ : state)
        Field().SetText(text);
}

// Toolkit: the user pastes n lines into the empty field (Ctrl+V).
void BM_PasteText(benchmark::State& state)
{
    QApplication::clipboard()->setText(WithLineFeeds(DanishLines(state.range(0))));
    for (auto _ : state) {
        state.PauseTiming();
        Field().SetText("");
        harness::Focus(Field());
        state.ResumeTiming();
        QTest::keyClick(harness::WidgetOf(Field()), Qt::Key_V, Qt::ControlModifier);
    }
}

// Framework: the field's text read back as one string.
void BM_ReadText(benchmark::State& state)
{
    Field().SetText(DanishLines(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(Field().Text());
}

// Program: the shuffle of the text, without reading or showing it.
void BM_ShuffleOnly(benchmark::State& state)
{
    const std::string text = DanishLines(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(ShuffleLines(text, fw::Rnd));
}

// The whole press: read, shuffle, show.
void BM_PressButton(benchmark::State& state)
{
    auto window = Window();
    Field().SetText(DanishLines(state.range(0)));
    for (auto _ : state)
        ControlAs<fw::PushButton>(*window, "TilfaeldigRaekkefoelge").Push();
}

// One typed character at the end of the text, with the enabling rule it runs.
void BM_Keystroke(benchmark::State& state)
{
    Field().SetText(DanishLines(state.range(0)));
    QWidget* widget = harness::WidgetOf(Field());
    harness::Focus(Field());
    QTest::keyClick(widget, Qt::Key_End, Qt::ControlModifier);
    // The first keystroke lays the document out; what one more costs is what the user feels.
    QTest::keyClick(widget, Qt::Key_X);
    std::vector<double> growth;
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        QTest::keyClick(widget, Qt::Key_X);
        const size_t after = mallinfo2().uordblks;
        growth.push_back(after > before ? static_cast<double>(after - before) : 0.0);
    }
    std::sort(growth.begin(), growth.end());
    state.counters["heap_growth_median"] = growth[growth.size() / 2];
    state.counters["heap_growth_max"] = growth.back();
}

// The enabling rule alone (what the program does on every keystroke).
void BM_EnablingRule(benchmark::State& state)
{
    auto window = Window();
    Field().SetText(DanishLines(state.range(0)));
    for (auto _ : state)
        window->Tekstfelt_TextChange();
}

// --- the Edit shortcuts ----------------------------------------------------------

// What is measured for each key, and what is set up (untimed) around it.
enum Case : int64_t { kSelectAll, kCopy, kCut, kUndo, kPaste, kSelectAllAfterCopy, kCases };

// Drives one field, the program's or the bare one, the same way.
struct Keys {
    QWidget* target;
    std::function<void()> select_all;
    std::function<void()> to_start;
    std::function<void()> to_end;

    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) const
    {
        QTest::keyClick(target, key, modifiers);
    }
};

void RunCase(benchmark::State& state, const Keys& keys)
{
    for (auto _ : state) {
        state.PauseTiming();
        switch (state.range(0)) {
        case kSelectAll:
            keys.to_start();
            break;
        case kCopy:
        case kCut:
            keys.select_all();
            break;
        case kUndo:
            keys.to_end();
            keys.Press(Qt::Key_X, Qt::NoModifier);
            break;
        case kPaste:
            QApplication::clipboard()->setText(QStringLiteral("en ny linje på 20 b"));
            keys.to_end();
            break;
        case kSelectAllAfterCopy:
            keys.select_all();
            keys.Press(Qt::Key_C);
            keys.to_start();
            break;
        }
        state.ResumeTiming();

        static const Qt::Key kKeys[] = { Qt::Key_A, Qt::Key_C, Qt::Key_X, Qt::Key_Z, Qt::Key_V, Qt::Key_A };
        keys.Press(kKeys[state.range(0)]);

        state.PauseTiming();
        if (state.range(0) == kCut || state.range(0) == kPaste)
            keys.Press(Qt::Key_Z);
        state.ResumeTiming();
    }
}

void CaseLabel(benchmark::State& state)
{
    static const char* kLabels[] = { "Ctrl+A", "Ctrl+C", "Ctrl+X", "Ctrl+Z", "Ctrl+V", "Ctrl+A after Ctrl+A Ctrl+C" };
    state.SetLabel(kLabels[state.range(0)]);
}

// The key in the program's field: the enabling pass, then the command.
void BM_Shortcut(benchmark::State& state)
{
    FieldWith(state.range(1));
    fw::EditField& field = Field();
    const Keys keys { harness::WidgetOf(field), [&] { field.SelectAll(); },
        [&] { QTest::keyClick(harness::WidgetOf(field), Qt::Key_Home, Qt::ControlModifier); },
        [&] { QTest::keyClick(harness::WidgetOf(field), Qt::Key_End, Qt::ControlModifier); } };
    RunCase(state, keys);
    CaseLabel(state);
}

// The same key in a bare toolkit field.
void BM_BareShortcut(benchmark::State& state)
{
    QPlainTextEdit& bare = BareWith(state.range(1));
    const Keys keys { &bare, [&] { bare.selectAll(); }, [&] { bare.moveCursor(QTextCursor::Start); },
        [&] { bare.moveCursor(QTextCursor::End); } };
    RunCase(state, keys);
    CaseLabel(state);
}

// The menu-enabling pass alone, with the field focused right after its whole text was copied.
void BM_EnablingPassAfterCopy(benchmark::State& state)
{
    FieldWith(state.range(0));
    Field().SelectAll();
    harness::Key(*Window(), Qt::Key_C, Qt::ControlModifier);
    for (auto _ : state)
        fw::RunMenuEnablingPass();
}

// Each key at each size, in the program's field and in the bare one. The
// untimed set-up around a key costs far more than a quick key itself, so the
// number of runs is fixed rather than grown until the timed part adds up.
using Family = std::pair<const char*, void (*)(benchmark::State&)>;

void RegisterShortcuts()
{
    const Family families[] = { { "BM_Shortcut", BM_Shortcut }, { "BM_BareShortcut", BM_BareShortcut } };
    for (const auto& [lines, runs] : { std::pair { 10000, 30 }, { 100000, 10 }, { 1000000, 3 } })
        for (int64_t c = 0; c < kCases; ++c)
            for (const auto& [name, function] : families)
                benchmark::RegisterBenchmark(name, function)->Args({ c, lines })->Iterations(runs)->Unit(benchmark::kMillisecond);
}

// --- one long line ---------------------------------------------------------------

// n characters: with spaces every 8 when range(1) is 1, else none (a hash, "yyyy...").
QString LongLine(const benchmark::State& state)
{
    QString line(state.range(0), u'y');
    if (state.range(1))
        for (qsizetype i = 7; i < line.size(); i += 8)
            line[i] = u' ';
    return line;
}

void LongLineLabel(benchmark::State& state)
{
    state.SetLabel(state.range(1) ? "with spaces" : "no break opportunity");
}

// Shown and painted once.
void Paint()
{
    QWidget* widget = harness::WidgetOf(Field());
    QApplication::processEvents();
    widget->repaint();
    if (auto* area = qobject_cast<QPlainTextEdit*>(widget))
        area->viewport()->repaint();
}

// Pasted with Ctrl+V into the empty field, then painted.
void BM_LongLinePaste(benchmark::State& state)
{
    QApplication::clipboard()->setText(LongLine(state));
    for (auto _ : state) {
        state.PauseTiming();
        Field().SetText("");
        Paint();
        harness::Focus(Field());
        state.ResumeTiming();
        harness::Key(*Window(), Qt::Key_V, Qt::ControlModifier);
        Paint();
    }
    LongLineLabel(state);
}

// Set as the field's text, then painted.
void BM_LongLineShow(benchmark::State& state)
{
    const std::string line = LongLine(state).toStdString();
    for (auto _ : state) {
        state.PauseTiming();
        Field().SetText("");
        Paint();
        state.ResumeTiming();
        Field().SetText(line);
        Paint();
    }
    LongLineLabel(state);
}

// The window made 40 pixels wider or narrower while it shows the line, then painted.
void BM_LongLineResize(benchmark::State& state)
{
    auto window = Window();
    Field().SetText(LongLine(state).toStdString());
    Paint();
    int step = 40;
    for (auto _ : state) {
        window->SetWidth(window->Width() + step);
        step = -step;
        Paint();
    }
    LongLineLabel(state);
}

void RegisterLongLines()
{
    const Family families[] = { { "BM_LongLinePaste", BM_LongLinePaste }, { "BM_LongLineShow", BM_LongLineShow },
        { "BM_LongLineResize", BM_LongLineResize } };
    for (int64_t length : { 100000, 300000, 1000000 })
        for (int64_t spaces : { 1, 0 })
            for (const auto& [name, function] : families)
                benchmark::RegisterBenchmark(name, function)->Args({ length, spaces })->Iterations(3)->Unit(benchmark::kMillisecond);
}

}

BENCHMARK(BM_ShowText)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteText)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadText)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShuffleOnly)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PressButton)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Keystroke)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnablingRule)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnablingPassAfterCopy)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    harness::StartRuntime();
    // As start-up does: the application object with its menu bar and handlers.
    NewAppInstance();
    ApplicationAddMenuHandlers();
    Window()->Show();
    RegisterShortcuts();
    RegisterLongLines();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bare.reset();
    harness::StopRuntime();
    return 0;
}
