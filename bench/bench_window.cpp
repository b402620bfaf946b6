// The random-order window with huge texts, through the real widgets (offscreen):
// what a press of the button and one keystroke cost, split into the
// toolkit's share (showing the text) and the program's (reading it, the
// enabling rule, the shuffle).

#include "framework/EditField.h"
#include "framework/PushButton.h"
#include "framework/Values.h"
#include "framework/WindowClass.h"
#include "tests/support/Harness.h"
#include "tools/LineShuffle.h"
#include "tools/wTilfaeldigRaekkefoelge.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::string Lines(int64_t count)
{
    std::string text;
    text.reserve(static_cast<size_t>(count) * 13);
    for (int64_t i = 0; i < count; ++i) {
        if (i)
            text += '\r';
        text += "linje " + std::to_string(100000 + i);
    }
    return text;
}

fw::EditField& Field()
{
    return ControlAs<fw::EditField>(*wTilfaeldigRaekkefoelge::Get(), "Tekstfelt");
}

// Toolkit: the field shows a new text of n lines.
void BM_ShowText(benchmark::State& state)
{
    const std::string text = Lines(state.range(0));
    for (auto _ : state)
        Field().SetText(text);
}

// Toolkit: the user pastes n lines into the empty field (Ctrl+V).
void BM_PasteText(benchmark::State& state)
{
    std::string lines = Lines(state.range(0));
    std::replace(lines.begin(), lines.end(), '\r', '\n');
    QApplication::clipboard()->setText(QString::fromStdString(lines));
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
    Field().SetText(Lines(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(Field().Text());
}

// Program: the shuffle of the text, without reading or showing it.
void BM_ShuffleOnly(benchmark::State& state)
{
    const std::string text = Lines(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(ShuffleLines(text, fw::Rnd));
}

// The whole press: read, shuffle, show.
void BM_PressButton(benchmark::State& state)
{
    auto window = wTilfaeldigRaekkefoelge::Get();
    Field().SetText(Lines(state.range(0)));
    for (auto _ : state)
        ControlAs<fw::PushButton>(*window, "TilfaeldigRaekkefoelge").Push();
}

// One typed character at the end of the text, with the enabling rule it runs.
void BM_Keystroke(benchmark::State& state)
{
    Field().SetText(Lines(state.range(0)));
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

// Ctrl+A in a huge text: the menu-enabling pass, then Select All.
void BM_SelectAllShortcut(benchmark::State& state)
{
    auto window = wTilfaeldigRaekkefoelge::Get();
    Field().SetText(Lines(state.range(0)));
    harness::Focus(Field());
    for (auto _ : state) {
        Field().SetSelStart(0);
        harness::Key(*window, Qt::Key_A, Qt::ControlModifier);
    }
}

// The enabling rule alone (what the program does on every keystroke).
void BM_EnablingRule(benchmark::State& state)
{
    auto window = wTilfaeldigRaekkefoelge::Get();
    Field().SetText(Lines(state.range(0)));
    for (auto _ : state)
        window->Tekstfelt_TextChange();
}

}

BENCHMARK(BM_ShowText)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteText)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadText)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShuffleOnly)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PressButton)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Keystroke)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectAllShortcut)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnablingRule)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    harness::StartRuntime();
    wTilfaeldigRaekkefoelge::Get();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    harness::StopRuntime();
    return 0;
}
