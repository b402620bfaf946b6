// Cost of one Rnd value, and of the designs it was chosen over.
//   BM_Rnd:               the program's Rnd, called directly.
//   BM_RndAsTheShuffleDoes: through a std::function, as ShuffleLines calls it.
//   BM_ChaCha20Blocks:    the block function alone, per value (8 blocks = 64 values).
//   BM_Getrandom:         every value read straight from getrandom, 64 KiB at a
//                         time (8 bytes per value): the plain buffered design.
//   BM_MersenneTwister:   the 64-bit Mersenne Twister that Rnd used to be, through
//                         a std::function; predictable, and seeded from 32 bits.
// Each iteration is a million values: its milliseconds are nanoseconds per value.

#include "framework/ChaCha20.h"
#include "framework/Values.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <random>
#include <vector>

#include <sys/random.h>

namespace {

constexpr int kValues = 1'000'000;

void BM_Rnd(benchmark::State& state)
{
    for (auto _ : state)
        for (int i = 0; i < kValues; ++i)
            benchmark::DoNotOptimize(fw::Rnd());
}
BENCHMARK(BM_Rnd)->Unit(benchmark::kMillisecond);

void BM_RndAsTheShuffleDoes(benchmark::State& state)
{
    const std::function<double()> rnd = fw::Rnd;
    for (auto _ : state)
        for (int i = 0; i < kValues; ++i)
            benchmark::DoNotOptimize(rnd());
}
BENCHMARK(BM_RndAsTheShuffleDoes)->Unit(benchmark::kMillisecond);

void BM_ChaCha20Blocks(benchmark::State& state)
{
    uint32_t in[16][8] { };
    uint32_t out[16][8];
    for (auto _ : state)
        for (int i = 0; i < kValues / 64; ++i) {
            in[12][0] = static_cast<uint32_t>(i);
            fw::ChaCha20Blocks(in, out);
            benchmark::DoNotOptimize(out);
        }
}
BENCHMARK(BM_ChaCha20Blocks)->Unit(benchmark::kMillisecond);

void BM_Getrandom(benchmark::State& state)
{
    std::vector<uint64_t> block(8192);
    for (auto _ : state)
        for (int i = 0; i < kValues; i += static_cast<int>(block.size())) {
            auto* at = reinterpret_cast<char*>(block.data());
            for (size_t left = block.size() * sizeof(uint64_t); left > 0;) {
                const ssize_t got = getrandom(at, left, 0);
                if (got <= 0)
                    continue;
                at += got;
                left -= static_cast<size_t>(got);
            }
            benchmark::DoNotOptimize(block.data());
        }
}
BENCHMARK(BM_Getrandom)->Unit(benchmark::kMillisecond);

void BM_MersenneTwister(benchmark::State& state)
{
    std::mt19937_64 generator { std::random_device {}() };
    const std::function<double()> rnd = [&] { return static_cast<double>(generator() >> 11) * 0x1.0p-53; };
    for (auto _ : state)
        for (int i = 0; i < kValues; ++i)
            benchmark::DoNotOptimize(rnd());
}
BENCHMARK(BM_MersenneTwister)->Unit(benchmark::kMillisecond);

}

BENCHMARK_MAIN();
