// Cost of one Rnd value, and of the designs it was chosen over.
//   BM_Rnd:                 the program's Rnd, called directly.
//   BM_RndAsTheShuffleDoes: through a std::function, as ShuffleLines calls it.
//   BM_SharedBuffer:        one buffer for the whole process behind a lock, the
//                           same 64 KiB reads, called as the shuffle calls Rnd.
//   BM_Getrandom/bytes:     getrandom alone, per 8-byte value, by read size.
//   BM_Arc4randomUniform:   glibc's arc4random_uniform, one system call a value
//                           (10^5 values an iteration, not 10^6).
// Each iteration is a million values: its milliseconds are nanoseconds per value.

#include "framework/Values.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <mutex>
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

void ReadSystem(void* bytes, size_t size)
{
    auto* at = static_cast<char*>(bytes);
    while (size > 0) {
        const ssize_t got = getrandom(at, size, 0);
        if (got <= 0)
            continue;
        at += got;
        size -= static_cast<size_t>(got);
    }
}

// The other way to share: one buffer, each value taken under a lock.
class SharedBuffer {
public:
    double Next()
    {
        const std::lock_guard lock(m_mutex);
        if (m_next == m_values.size()) {
            ReadSystem(m_values.data(), m_values.size() * sizeof(uint64_t));
            m_next = 0;
        }
        return static_cast<double>(m_values[m_next++] >> 11) * 0x1.0p-53;
    }

private:
    std::mutex m_mutex;
    std::vector<uint64_t> m_values = std::vector<uint64_t>(8191);
    size_t m_next { m_values.size() };
};

SharedBuffer g_shared;

void BM_SharedBuffer(benchmark::State& state)
{
    const std::function<double()> rnd = [] { return g_shared.Next(); };
    for (auto _ : state)
        for (int i = 0; i < kValues; ++i)
            benchmark::DoNotOptimize(rnd());
}
BENCHMARK(BM_SharedBuffer)->Unit(benchmark::kMillisecond);

void BM_Getrandom(benchmark::State& state)
{
    std::vector<uint64_t> block(static_cast<size_t>(state.range(0)) / sizeof(uint64_t));
    for (auto _ : state)
        for (int i = 0; i < kValues; i += static_cast<int>(block.size())) {
            ReadSystem(block.data(), block.size() * sizeof(uint64_t));
            benchmark::DoNotOptimize(block.data());
        }
}
BENCHMARK(BM_Getrandom)->RangeMultiplier(4)->Range(1 << 10, 1 << 18)->Unit(benchmark::kMillisecond);

void BM_Arc4randomUniform(benchmark::State& state)
{
    for (auto _ : state)
        for (int i = 0; i < kValues / 10; ++i)
            benchmark::DoNotOptimize(arc4random_uniform(1'000'000));
}
BENCHMARK(BM_Arc4randomUniform)->Unit(benchmark::kMillisecond);

}

BENCHMARK_MAIN();
