// Where Rnd's values come from.
//
// Each value is 64 bits of ChaCha20 keystream. The key comes from the
// operating system's random source (getrandom), and every block of eight
// values has five more words of that source mixed into its key: 20 fresh bits
// of the system's randomness for each value handed out. So no draw can be
// predicted from the draws before it, and a shuffle of n lines takes in at
// least log2(n!) such bits (log2(n!) / n < 20 up to 2.85 million lines): every
// order can come out, not only the few that one seed leads to. Reading whole
// values from getrandom instead (8 bytes each) costs twice as much per value,
// and a shuffle of a million lines a sixth more time (bench/bench_rnd,
// bench/bench_shuffle).

#include "framework/ChaCha20.h"
#include "framework/Values.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <random>

#include <sys/random.h>

namespace fw {

namespace {

// Lane b of each vector is word w of state b.
__attribute__((always_inline)) inline void Blocks(const uint32_t (&in)[16][8], uint32_t (&out)[16][8])
{
    using Lanes = uint32_t __attribute__((vector_size(32)));
    Lanes x[16];
    for (size_t w = 0; w < 16; ++w)
        std::memcpy(&x[w], in[w], sizeof(Lanes));
    // A double round: four quarter rounds on the columns, four on the diagonals.
    static constexpr uint8_t kQuarters[8][4] = {
        { 0, 4, 8, 12 }, { 1, 5, 9, 13 }, { 2, 6, 10, 14 }, { 3, 7, 11, 15 },
        { 0, 5, 10, 15 }, { 1, 6, 11, 12 }, { 2, 7, 8, 13 }, { 3, 4, 9, 14 },
    };
    for (int round = 0; round < 20; round += 2) {
#pragma GCC unroll 8
        for (const auto& q : kQuarters) {
            Lanes& a = x[q[0]];
            Lanes& b = x[q[1]];
            Lanes& c = x[q[2]];
            Lanes& d = x[q[3]];
            a += b; d ^= a; d = d << 16 | d >> 16;
            c += d; b ^= c; b = b << 12 | b >> 20;
            a += b; d ^= a; d = d << 8 | d >> 24;
            c += d; b ^= c; b = b << 7 | b >> 25;
        }
    }
    for (size_t w = 0; w < 16; ++w) {
        Lanes start;
        std::memcpy(&start, in[w], sizeof(Lanes));
        x[w] += start;
        std::memcpy(out[w], &x[w], sizeof(Lanes));
    }
}

using BlockFunction = void (*)(const uint32_t (&)[16][8], uint32_t (&)[16][8]);

// The same code compiled for the widest vectors of three processor
// generations, chosen at the first call. (Not by the loader through
// target_clones: its resolver runs before a sanitizer is ready.)
BlockFunction WidestBlocks()
{
#if defined(__x86_64__) && defined(__GNUC__)
    if (__builtin_cpu_supports("avx512vl"))
        return [](const uint32_t (&in)[16][8], uint32_t (&out)[16][8]) __attribute__((target("avx512vl"))) { Blocks(in, out); };
    if (__builtin_cpu_supports("avx2"))
        return [](const uint32_t (&in)[16][8], uint32_t (&out)[16][8]) __attribute__((target("avx2"))) { Blocks(in, out); };
#endif
    return [](const uint32_t (&in)[16][8], uint32_t (&out)[16][8]) { Blocks(in, out); };
}

}

void ChaCha20Blocks(const uint32_t (&in)[16][8], uint32_t (&out)[16][8])
{
    static const BlockFunction blocks = WidestBlocks();
    blocks(in, out);
}

namespace {

constexpr size_t kLanes = 8;

// ChaCha20 keystream, eight blocks at a time, under a 256-bit key and a
// 64-bit nonce, with a 64-bit block counter.
class KeyStream {
public:
    KeyStream()
    {
        constexpr uint32_t kConstants[4] = { 0x61707865, 0x3320646e, 0x79622d32, 0x6b206574 }; // "expand 32-byte k"
        for (size_t w = 0; w < 4; ++w)
            for (size_t b = 0; b < kLanes; ++b)
                m_in[w][b] = kConstants[w];
    }

    // Words 0 to 7 are the key, 8 and 9 the nonce.
    void SetKey(const uint32_t* words)
    {
        std::memcpy(m_key, words, sizeof m_key);
        for (size_t b = 0; b < kLanes; ++b) {
            m_in[14][b] = words[8];
            m_in[15][b] = words[9];
        }
    }

    // The next eight blocks. Key word w of block b has fresh[w * 8 + b] mixed
    // in, for w below fresh_words.
    void Next(uint32_t (&out)[16][8], const uint32_t* fresh = nullptr, size_t fresh_words = 0)
    {
        for (size_t w = 0; w < 8; ++w)
            for (size_t b = 0; b < kLanes; ++b)
                m_in[4 + w][b] = m_key[w] ^ (w < fresh_words ? fresh[w * kLanes + b] : 0);
        for (size_t b = 0; b < kLanes; ++b) {
            const uint64_t counter = m_counter + b;
            m_in[12][b] = static_cast<uint32_t>(counter);
            m_in[13][b] = static_cast<uint32_t>(counter >> 32);
        }
        m_counter += kLanes;
        ChaCha20Blocks(m_in, out);
    }

private:
    uint32_t m_key[8] { };
    uint64_t m_counter { 0 };
    uint32_t m_in[16][8] { };
};

std::atomic<bool> g_system_source_failed { false };

void ReportSystemSourceFailure(int error)
{
    static std::once_flag once;
    std::call_once(once, [error] {
        std::fprintf(stderr,
            "%s: the system's random source failed (getrandom: %s); random numbers and orders now come from "
            "a generator seeded from /dev/urandom\n",
            program_invocation_short_name, std::strerror(error));
        std::fflush(stderr);
    });
    g_system_source_failed.store(true);
}

// Fills the words with getrandom; false when the source fails.
bool ReadSystemSource(uint32_t* words, size_t count)
{
    auto* at = reinterpret_cast<unsigned char*>(words);
    size_t left = count * sizeof(uint32_t);
    while (left > 0) {
        const ssize_t got = getrandom(at, left, 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ReportSystemSourceFailure(got < 0 ? errno : EIO);
            return false;
        }
        at += got;
        left -= static_cast<size_t>(got);
    }
    return true;
}

// Where getrandom is missing or forbidden (an old kernel, a sandbox): keystream
// under a key and nonce read from /dev/urandom, new for every fill.
void ReadFallbackSource(uint32_t* words, size_t count)
{
    std::random_device device("/dev/urandom");
    uint32_t key[10];
    for (uint32_t& word : key)
        word = device();
    KeyStream stream;
    stream.SetKey(key);
    uint32_t out[16][8];
    for (size_t done = 0; done < count; done += sizeof out / sizeof(uint32_t)) {
        stream.Next(out);
        std::memcpy(words + done, out, std::min(sizeof out, (count - done) * sizeof(uint32_t)));
    }
}

// Words of the system's random source, read in blocks that grow to 64 KiB
// (one call per 13 000 values drawn); a program that draws a few numbers
// reads only 1 KiB.
class SystemSource {
public:
    // The next `count` words (at most 256); none is ever handed out twice.
    const uint32_t* Take(size_t count)
    {
        if (m_read - m_next < count) {
            m_read = std::clamp<size_t>(2 * m_read, 256, m_words.size());
            if (g_system_source_failed.load() || !ReadSystemSource(m_words.data(), m_read))
                ReadFallbackSource(m_words.data(), m_read);
            m_next = 0;
        }
        const uint32_t* words = &m_words[m_next];
        m_next += count;
        return words;
    }

private:
    std::array<uint32_t, 16384> m_words;
    size_t m_read { 0 };
    size_t m_next { 0 };
};

class Generator {
public:
    Generator() { m_stream.SetKey(m_source.Take(10)); }

    uint64_t Next()
    {
        if (m_next == kValues) {
            if (++m_batches % kBatchesPerKey == 0)
                m_stream.SetKey(m_source.Take(10));
            m_stream.Next(m_out, m_source.Take(kFreshWords * kLanes), kFreshWords);
            m_next = 0;
        }
        uint64_t value;
        std::memcpy(&value, &m_out[0][0] + 2 * m_next++, sizeof value);
        return value;
    }

private:
    static constexpr size_t kValues = 16 * kLanes / 2;
    // Words of the system's source mixed into each block's key: 160 bits for
    // the block's eight values.
    static constexpr size_t kFreshWords = 5;
    static constexpr uint64_t kBatchesPerKey = 4096;

    SystemSource m_source;
    KeyStream m_stream;
    uint64_t m_batches { 0 };
    uint32_t m_out[16][8] { };
    size_t m_next { kValues };
};

// A test's substitute serves every thread: a test may set it on one thread
// and draw on another. The flag keeps the lock off the common path.
std::atomic<bool> g_substituted { false };

struct Substitute {
    std::mutex mutex;
    std::function<double()> source;
};

Substitute& TheSubstitute()
{
    static Substitute substitute;
    return substitute;
}

}

double Rnd()
{
    if (g_substituted.load(std::memory_order_acquire)) {
        Substitute& substitute = TheSubstitute();
        const std::lock_guard lock(substitute.mutex);
        if (substitute.source)
            return substitute.source();
    }
    // One generator per thread: a shuffle on a worker thread and a draw on the
    // interface thread share nothing and never wait for each other.
    thread_local std::unique_ptr<Generator> generator;
    if (!generator)
        generator = std::make_unique<Generator>();
    return static_cast<double>(generator->Next() >> 11) * 0x1.0p-53;
}

void SetRndSource(std::function<double()> source)
{
    Substitute& substitute = TheSubstitute();
    const std::lock_guard lock(substitute.mutex);
    substitute.source = std::move(source);
    g_substituted.store(static_cast<bool>(substitute.source), std::memory_order_release);
}

}
