// Time of the random-order window's line shuffle, inside the process: the text
// is built once, and each iteration times the whole ShuffleLines call (split,
// draw, join) with the program's own Rnd.
//   BM_ShuffleLines:   the shuffle the program uses, 10^3 to 10^6 lines.
//   BM_LiteralShuffle: the plain draw-and-remove with an array erase (the
//                      reference the tests compare against), 10^3 to 10^5 lines;
//                      quadratic, so 10^5 runs once.
// The comparison with coreutils' shuf is whole process against whole process:
// bench/compare_with_shuf.sh with bench/cli_shuffle.

#include "tools/LineShuffle.h"

#include "framework/Values.h"
#include "tests/support/LiteralShuffle.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Lines like "linje 123456", separated by LF as pasted text usually is.
std::string Lines(int64_t count)
{
    std::string text;
    text.reserve(static_cast<size_t>(count) * 14);
    for (int64_t k = 0; k < count; ++k) {
        if (k > 0)
            text += '\n';
        text += "linje ";
        text += std::to_string(100000 + k % 900000);
    }
    return text;
}

void BM_ShuffleLines(benchmark::State& state)
{
    const std::string text = Lines(state.range(0));
    const std::function<double()> rnd = fw::Rnd;
    for (auto _ : state) {
        auto result = ShuffleLines(text, rnd);
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ShuffleLines)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond);

void BM_LiteralShuffle(benchmark::State& state)
{
    const std::string text = Lines(state.range(0));
    const std::function<double()> rnd = fw::Rnd;
    for (auto _ : state) {
        auto result = literal::ShuffleLines(text, rnd);
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_LiteralShuffle)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiteralShuffle)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

}

BENCHMARK_MAIN();
