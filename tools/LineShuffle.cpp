#include "tools/LineShuffle.h"

#include "framework/Values.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace {

constexpr char LF = '\n';
constexpr char CR = '\r';

// The first LF or CR from p on, or end. Eight bytes at a time: the lowest
// byte that the zero-byte test flags is always a true match.
const char* NextBreak(const char* p, const char* const end)
{
    if constexpr (std::endian::native == std::endian::little) {
        constexpr uint64_t ones = 0x0101010101010101;
        constexpr uint64_t highs = 0x8080808080808080;
        for (; end - p >= 8; p += 8) {
            uint64_t word;
            std::memcpy(&word, p, 8);
            const uint64_t lf = word ^ (ones * LF);
            const uint64_t cr = word ^ (ones * CR);
            const uint64_t found = (((lf - ones) & ~lf) | ((cr - ones) & ~cr)) & highs;
            if (found != 0)
                return p + std::countr_zero(found) / 8;
        }
    }
    while (p < end && *p != LF && *p != CR)
        ++p;
    return p;
}

// The LFs and CRs of the text: an upper bound on its line breaks (LF CR counts
// twice), cheaper to find than growing an array. Counted in runs of 255 bytes
// into one byte, which compilers turn into wide vector operations.
size_t CountBreakBytes(std::string_view text)
{
    size_t total = 0;
    for (size_t at = 0; at < text.size();) {
        const size_t run = std::min<size_t>(255, text.size() - at);
        unsigned char found = 0;
        for (size_t i = 0; i < run; ++i) {
            const char c = text[at + i];
            found += static_cast<unsigned char>((c == LF) | (c == CR));
        }
        total += found;
        at += run;
    }
    return total;
}

// The items of the text as they stand after normalising, found straight in
// the raw text: LF CR, a lone LF and a CR each end an item, left to right.
// Only where each item ends is kept; none contains CR or LF.
template<class Index>
class Items {
public:
    explicit Items(std::string_view text)
        : m_text(text)
    {
        m_ends.reserve(1 + CountBreakBytes(text));
        const char* const begin = text.data();
        const char* const end = begin + text.size();
        size_t break_bytes = 0;
        for (const char* p = NextBreak(begin, end); p != end;) {
            m_ends.push_back(static_cast<Index>(p - begin));
            const size_t length = BreakLength(static_cast<size_t>(p - begin));
            break_bytes += length;
            p = NextBreak(p + length, end);
        }
        m_ends.push_back(static_cast<Index>(text.size()));
        m_bytes = text.size() - break_bytes;
    }

    size_t Count() const { return m_ends.size(); }
    // Their lengths added up.
    size_t Bytes() const { return m_bytes; }

    std::string_view operator[](size_t k) const
    {
        const size_t start = Start(k);
        return m_text.substr(start, m_ends[k] - start);
    }

    // Where item k's bytes are, to be asked for early.
    const void* Ends(size_t k) const { return &m_ends[k == 0 ? 0 : k - 1]; }
    const void* Near(size_t k) const { return m_text.data() + (k == 0 ? 0 : m_ends[k - 1]); }

private:
    size_t Start(size_t k) const
    {
        if (k == 0)
            return 0;
        const size_t at = m_ends[k - 1];
        return at + BreakLength(at);
    }

    // Bytes of the line break at `at`: two for LF CR, else one.
    size_t BreakLength(size_t at) const
    {
        return m_text[at] == LF && at + 1 < m_text.size() && m_text[at + 1] == CR ? 2 : 1;
    }

    std::string_view m_text;
    std::vector<Index> m_ends;
    size_t m_bytes { 0 };
};

// Which of the n items (in text order) are still present: one bit each, in
// leaves of four 64-bit words that keep their words' counts in four 16-bit
// lanes, and a Fenwick tree over the leaves' counts. The tree has about n/256
// entries and stays in the nearest cache; a draw is one descent of it, then
// two word-sized selections.
template<class Index>
class RemainingItems {
public:
    explicit RemainingItems(size_t n)
        : m_bits((n + 255) / 256 * 4)
        , m_counts(m_bits.size() / 4)
        // A power of two above the number of leaves, so that every node the
        // descent visits exists and counts, padding included, fit.
        , m_tree(std::bit_ceil(m_counts.size() + 1))
    {
        for (size_t word = 0; word < m_bits.size(); ++word) {
            const size_t first = word * 64;
            const size_t present = first >= n ? 0 : std::min<size_t>(64, n - first);
            m_bits[word] = present == 64 ? ~uint64_t { 0 } : (uint64_t { 1 } << present) - 1;
            m_counts[word / 4] |= static_cast<uint64_t>(present) << (16 * (word % 4));
        }
        // Node m (from 1) counts leaves m - lowbit(m) + 1 to m.
        for (size_t m = 1; m <= m_counts.size(); ++m)
            m_tree[m] = static_cast<Index>(m_counts[m - 1] * kLanes >> 48);
        for (size_t m = 1; m < m_tree.size(); ++m) {
            const size_t parent = m + (m & (~m + 1));
            if (parent < m_tree.size())
                m_tree[parent] += m_tree[m];
        }
    }

    // The k-th item still present, in text order (1 <= k <= the number
    // present), which is then removed. The counts go down during the one
    // descent: the nodes it does not step past are exactly those that count
    // the leaf it ends in.
    size_t TakeKth(size_t k)
    {
        size_t leaf = 0;
        for (size_t step = m_tree.size() / 2; step != 0; step >>= 1) {
            const size_t next = leaf + step;
            const Index count = m_tree[next];
            // All ones when the item lies past this node; masks rather than branches, which
            // the random draws would mispredict half the time.
            const size_t past = size_t { 0 } - static_cast<size_t>(count < k);
            m_tree[next] = static_cast<Index>(count - static_cast<Index>(past + 1));
            k -= count & past;
            leaf += step & past;
        }
        const auto lane = static_cast<unsigned>(Select(m_counts[leaf], kLanes, 16, k));
        m_counts[leaf] -= uint64_t { 1 } << (16 * lane);
        const size_t word = leaf * 4 + lane;
        const auto byte = static_cast<unsigned>(Select(ByteCounts(m_bits[word]), kBytes, 8, k));
        const unsigned bit = 8 * byte + kSelectInByte[(m_bits[word] >> (8 * byte)) & 0xFF][k - 1];
        m_bits[word] &= ~(uint64_t { 1 } << bit);
        return word * 64 + bit;
    }

private:
    static constexpr uint64_t kLanes = 0x0001000100010001;
    static constexpr uint64_t kBytes = 0x0101010101010101;

    // The set bits of each byte of the word, in that byte.
    static uint64_t ByteCounts(uint64_t word)
    {
        uint64_t counts = word - ((word >> 1) & 0x5555555555555555);
        counts = (counts & 0x3333333333333333) + ((counts >> 2) & 0x3333333333333333);
        return (counts + (counts >> 4)) & 0x0F0F0F0F0F0F0F0F;
    }

    // The lane (of `width` bits, `ones` having a 1 in each) in which the running
    // sum of the counts reaches k; k becomes the rank within that lane. The sums
    // are all formed at once, and compared with k all at once: they stay below
    // the lanes' high bits, which therefore survive exactly where a sum is below k.
    static size_t Select(uint64_t counts, uint64_t ones, unsigned width, size_t& k)
    {
        const uint64_t highs = ones << (width - 1);
        const uint64_t sums = counts * ones;
        const uint64_t before = (((k - 1) * ones | highs) - sums) & highs;
        const size_t lane = (before >> (width - 1)) * ones >> (64 - width);
        k -= ((sums << width) >> (width * lane)) & ((uint64_t { 1 } << width) - 1);
        return lane;
    }

    static constexpr auto kSelectInByte = [] {
        std::array<std::array<uint8_t, 8>, 256> table {};
        for (unsigned value = 0; value < 256; ++value) {
            unsigned found = 0;
            for (unsigned bit = 0; bit < 8; ++bit)
                if ((value >> bit & 1) != 0)
                    table[value][found++] = static_cast<uint8_t>(bit);
        }
        return table;
    }();

    std::vector<uint64_t> m_bits;
    std::vector<uint64_t> m_counts;
    std::vector<Index> m_tree;
};

// Index holds every position in the text and so every count of its items.
template<class Index>
std::string Shuffle(std::string_view text, const std::function<double()>& rnd)
{
    const Items<Index> items(text);
    const size_t n = items.Count();

    RemainingItems<Index> remaining(n);
    std::string result(items.Bytes() + (n - 1), CR);
    char* out = result.data();
    // The items are read in random order. Drawn in batches, so that the reads
    // can be asked for ahead of use and overlap: where an item ends as soon as
    // it is drawn, its bytes a few items ahead of the copy.
    constexpr size_t batch = 256;
    constexpr size_t ahead = 8;
    std::array<size_t, batch> drawn;
    size_t copied = 0;
    for (size_t i = n; i >= 1;) {
        const size_t count = std::min(batch, i);
        for (size_t b = 0; b < count; ++b, --i) {
            const int32_t j = fw::ToInt32(fw::Floor(rnd() * static_cast<double>(i)) + 1.0);
            // rnd promises [0, 1), which keeps j in 1..i; a source that breaks it must not reach past the items.
            drawn[b] = remaining.TakeKth(j < 1 ? 1 : std::min(static_cast<size_t>(j), i));
            __builtin_prefetch(items.Ends(drawn[b]));
        }
        for (size_t b = 0; b < std::min(ahead, count); ++b)
            __builtin_prefetch(items.Near(drawn[b]));
        for (size_t b = 0; b < count; ++b) {
            if (b + ahead < count)
                __builtin_prefetch(items.Near(drawn[b + ahead]));
            if (copied++ > 0)
                ++out; // past the CR that the result was filled with
            const std::string_view item = items[drawn[b]];
            std::memcpy(out, item.data(), item.size());
            out += item.size();
        }
    }
    return result;
}

}

std::string NormaliseLineBreaks(std::string_view text)
{
    // Both steps in one pass: an LF followed by CR is matched by the first step
    // before any LF is touched by the second.
    std::string result;
    result.reserve(text.size());
    for (size_t p = 0; p < text.size(); ++p) {
        const char c = text[p];
        if (c != LF) {
            result += c;
            continue;
        }
        result += CR;
        if (p + 1 < text.size() && text[p + 1] == CR)
            ++p;
    }
    return result;
}

bool HasSeveralLines(std::string_view text)
{
    // Normalising turns every line break, of any form, into one CR, and a text
    // with k CRs has k + 1 items.
    return !text.empty()
        && (std::memchr(text.data(), LF, text.size()) != nullptr || std::memchr(text.data(), CR, text.size()) != nullptr);
}

std::optional<std::string> ShuffleLines(std::string_view text, const std::function<double()>& rnd)
{
    if (!HasSeveralLines(text))
        return std::nullopt;
    if (text.size() < std::numeric_limits<uint32_t>::max())
        return Shuffle<uint32_t>(text, rnd);
    return Shuffle<uint64_t>(text, rnd);
}
