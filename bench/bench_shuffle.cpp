// Time of the random-order window's line shuffle, inside the process, on
// ordinary text: lines of Danish words (æ, ø and å included) of about 20
// bytes, some empty, some a single short word, some long. The text is built
// once; each iteration times one whole call.
//   BM_ShuffleLines:       the shuffle the window uses (split, draw, join),
//                          with the program's own Rnd.
//   BM_DrawLines:          the same draws without joining (what cli_shuffle
//                          uses), with the program's own Rnd ...
//   BM_DrawLinesCheapRnd:  ... and with a source that costs next to nothing;
//                          the difference is the time spent in Rnd.
//   BM_Rnd:                Rnd alone, called as the shuffle calls it.
//   BM_LiteralShuffle:     the plain draw-and-remove with an array erase (the
//                          reference the tests compare against); quadratic,
//                          so 10^5 runs once.
// The comparison with coreutils' shuf is whole process against whole process:
// bench/compare_with_shuf.sh with cli_shuffle (build/bin/cli_shuffle).

#include "tools/LineShuffle.h"

#include "framework/Values.h"
#include "tests/support/LiteralShuffle.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <string_view>

namespace {

std::string Text(int64_t lines)
{
    static const std::array<std::string_view, 42> words { "og", "i", "at", "en", "det", "er", "på", "til", "med",
        "som", "for", "ikke", "æble", "øl", "ål", "får", "går", "året", "søen", "blå", "gård", "rød", "hvad", "være",
        "kunne", "købe", "mælk", "brød", "ørred", "smørrebrød", "hyggelig", "rækkefølge", "tilfældig", "bjørn", "fløde",
        "kærlighed", "Århus", "Ærø", "Øresund", "hus", "vej", "by" };
    std::mt19937 engine(1);
    const auto uniform = [&engine] { return std::uniform_real_distribution<double>(0.0, 1.0)(engine); };
    const auto word = [&] { return words[std::uniform_int_distribution<size_t>(0, words.size() - 1)(engine)]; };
    std::string text;
    text.reserve(static_cast<size_t>(lines) * 22);
    for (int64_t k = 0; k < lines; ++k) {
        if (k > 0)
            text += '\n';
        const double kind = uniform();
        if (kind < 0.05)
            continue;
        text += word();
        if (kind < 0.15)
            continue;
        const int count = kind < 0.95 ? std::uniform_int_distribution<int>(2, 4)(engine) : std::uniform_int_distribution<int>(10, 29)(engine);
        for (int w = 1; w < count; ++w) {
            text += ' ';
            text += word();
        }
        if (uniform() < 0.3) {
            text += ' ';
            text += std::to_string(std::uniform_int_distribution<int>(0, 9999)(engine));
        }
    }
    return text;
}

void Report(benchmark::State& state, const std::string& text)
{
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void BM_ShuffleLines(benchmark::State& state)
{
    const std::string text = Text(state.range(0));
    const std::function<double()> rnd = fw::Rnd;
    for (auto _ : state) {
        auto result = ShuffleLines(text, rnd);
        benchmark::DoNotOptimize(result);
    }
    Report(state, text);
}
BENCHMARK(BM_ShuffleLines)->RangeMultiplier(10)->Range(1000, 10000000)->Unit(benchmark::kMillisecond);

void DrawLinesWith(benchmark::State& state, const std::function<double()>& rnd)
{
    const std::string text = Text(state.range(0));
    for (auto _ : state) {
        size_t bytes = 0;
        DrawLines(text, rnd, [&bytes](std::span<const std::string_view> items) {
            for (const std::string_view item : items)
                bytes += item.size();
        });
        benchmark::DoNotOptimize(bytes);
    }
    Report(state, text);
}

void BM_DrawLines(benchmark::State& state) { DrawLinesWith(state, fw::Rnd); }
BENCHMARK(BM_DrawLines)->RangeMultiplier(10)->Range(1000, 10000000)->Unit(benchmark::kMillisecond);

void BM_DrawLinesCheapRnd(benchmark::State& state)
{
    // xorshift64: a few instructions a value.
    DrawLinesWith(state, [x = uint64_t { 88172645463325252 }]() mutable {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        return static_cast<double>(x >> 11) * 0x1.0p-53;
    });
}
BENCHMARK(BM_DrawLinesCheapRnd)->RangeMultiplier(10)->Range(1000, 10000000)->Unit(benchmark::kMillisecond);

void BM_Rnd(benchmark::State& state)
{
    const std::function<double()> rnd = fw::Rnd;
    for (auto _ : state)
        benchmark::DoNotOptimize(rnd());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Rnd);

void BM_LiteralShuffle(benchmark::State& state)
{
    const std::string text = Text(state.range(0));
    const std::function<double()> rnd = fw::Rnd;
    for (auto _ : state) {
        auto result = literal::ShuffleLines(text, rnd);
        benchmark::DoNotOptimize(result);
    }
    Report(state, text);
}
BENCHMARK(BM_LiteralShuffle)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiteralShuffle)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

}

BENCHMARK_MAIN();
