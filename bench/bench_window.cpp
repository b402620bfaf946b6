// The random-order window with huge texts, through the real widgets (offscreen):
// what a press of the button and one keystroke cost, split into the
// toolkit's share (showing the text) and the program's (reading it, the
// enabling rule, the shuffle).

#include "framework/EditField.h"
#include "framework/PushButton.h"
#include "framework/Values.h"
#include "tests/support/Harness.h"
#include "tools/LineShuffle.h"
#include "tools/WindowClass.h"
#include "tools/wTilfaeldigRaekkefoelge.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <string>

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
    size_t peak_extra = 0;
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        QTest::keyClick(widget, Qt::Key_X);
        const size_t after = mallinfo2().uordblks;
        peak_extra = std::max(peak_extra, after > before ? after - before : 0);
    }
    state.counters["kept_bytes"] = static_cast<double>(peak_extra);
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
BENCHMARK(BM_ReadText)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShuffleOnly)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PressButton)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Keystroke)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
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
