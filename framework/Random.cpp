// Where Rnd's values come from: the operating system's random source
// (getrandom), read through a buffer. Each value is 53 bits of the source's
// output, used once, so a shuffle of n lines takes in 53·n bits from the
// system, more than the log2(n!) that every order needs to be reachable
// (n! < n^n and log2 n < 53), and no draw can be predicted from the others.
//
// The buffer is the calling thread's own: a shuffle on a worker thread and a
// draw on the interface thread never wait for each other, and one shared
// buffer behind a lock costs more per value (bench/bench_rnd). The kernel
// empties it in a child made by fork() (MADV_WIPEONFORK), so the child reads
// values of its own instead of handing out the parent's.

#include "framework/Values.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>
#include <system_error>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/random.h>
#include <unistd.h>

namespace fw {

namespace {

std::atomic<bool> g_system_source_failed { false };

void ReportSystemSourceFailure(int error)
{
    static std::once_flag once;
    std::call_once(once, [error] {
        std::fprintf(stderr,
            "%s: the system's random source failed (getrandom: %s); random numbers and orders now come from "
            "/dev/urandom\n",
            program_invocation_short_name, std::strerror(error));
        std::fflush(stderr);
    });
    g_system_source_failed.store(true);
}

// Fills the bytes from getrandom; false when the source fails.
bool ReadSystemSource(unsigned char* at, size_t left)
{
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

// Where getrandom is missing or forbidden (an old kernel, a sandbox): the
// same kernel generator through its device.
void ReadFallbackSource(unsigned char* at, size_t left)
{
    const int device = open("/dev/urandom", O_RDONLY | O_CLOEXEC);
    if (device < 0)
        throw std::system_error(errno, std::generic_category(), "/dev/urandom");
    while (left > 0) {
        const ssize_t got = read(device, at, left);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            const int error = got < 0 ? errno : EIO;
            close(device);
            throw std::system_error(error, std::generic_category(), "/dev/urandom");
        }
        at += got;
        left -= static_cast<size_t>(got);
    }
    close(device);
}

// A thread's values from the system, 64 KiB at a time (one system call per
// 8,191 values).
class Buffer {
public:
    Buffer()
    {
        void* region = mmap(nullptr, sizeof(Region), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (region == MAP_FAILED)
            throw std::bad_alloc();
        m_region = static_cast<Region*>(region);
        // A child gets these pages zeroed, which reads as an empty buffer. A
        // kernel without wipe-on-fork (before Linux 4.14) gets a buffer of one
        // value: every value is read from the system as it is drawn.
        m_capacity = madvise(region, sizeof(Region), MADV_WIPEONFORK) == 0 ? kValues : 1;
    }
    ~Buffer() { munmap(m_region, sizeof(Region)); }
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;

    uint64_t Next()
    {
        Region& r = *m_region;
        if (r.next == r.end) {
            auto* bytes = reinterpret_cast<unsigned char*>(r.values);
            const size_t size = m_capacity * sizeof(uint64_t);
            if (g_system_source_failed.load(std::memory_order_relaxed) || !ReadSystemSource(bytes, size))
                ReadFallbackSource(bytes, size);
            r.next = 0;
            r.end = static_cast<uint32_t>(m_capacity);
        }
        return r.values[r.next++];
    }

private:
    static constexpr size_t kValues = 8191;
    struct Region {
        uint32_t next;
        uint32_t end;
        uint64_t values[kValues];
    };
    static_assert(sizeof(Region) == 65536);

    Region* m_region { nullptr };
    size_t m_capacity { 0 };
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
    thread_local Buffer buffer;
    return static_cast<double>(buffer.Next() >> 11) * 0x1.0p-53;
}

void SetRndSource(std::function<double()> source)
{
    Substitute& substitute = TheSubstitute();
    const std::lock_guard lock(substitute.mutex);
    substitute.source = std::move(source);
    g_substituted.store(static_cast<bool>(substitute.source), std::memory_order_release);
}

}
