#include "tools/LineShuffle.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

// The figures below are whole-process times of cli_shuffle (Release build)
// on 10^6 ordinary lines, the text of bench/compare_with_shuf.sh (22 MB),
// against the same program with only that step done the plain way: 0.112 s
// as it is.

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr char LF = '\n';
constexpr char CR = '\r';

constexpr uint64_t kBytes = 0x0101010101010101;

// The set bits of each byte of the word, in that byte.
uint64_t ByteCounts(uint64_t word)
{
    uint64_t counts = word - ((word >> 1) & 0x5555555555555555);
    counts = (counts & 0x3333333333333333) + ((counts >> 2) & 0x3333333333333333);
    return (counts + (counts >> 4)) & 0x0F0F0F0F0F0F0F0F;
}

struct BreakBytes {
    uint64_t lf { 0 };
    uint64_t cr { 0 };
};

// Which of the 64 bytes at p are LF and which CR, one bit per byte. Finding
// the line ends 64 bytes at a time instead of byte by byte: 0.112 s against
// 0.145 s.
BreakBytes FindBreakBytes(const char* p)
{
    BreakBytes found;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8(LF);
    const __m128i cr = _mm_set1_epi8(CR);
    for (unsigned part = 0; part < 4; ++part) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * part));
        found.lf |= uint64_t { static_cast<uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lf))) } << (16 * part);
        found.cr |= uint64_t { static_cast<uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, cr))) } << (16 * part);
    }
#else
    for (unsigned i = 0; i < 64; ++i) {
        found.lf |= uint64_t { p[i] == LF } << i;
        found.cr |= uint64_t { p[i] == CR } << i;
    }
#endif
    return found;
}

// Calls visit(base, ends) for each 64 bytes of the text from `base` on, with
// a bit set in `ends` for each byte that ends an item: every LF, and every CR
// that does not follow an LF (LF CR is one line break, ending at its LF).
template<class Visit>
void ForEachBlockOfEnds(std::string_view text, const Visit& visit)
{
    uint64_t lf_before = 0;
    const auto ends = [&lf_before](BreakBytes found) {
        const uint64_t paired = (found.lf << 1 | lf_before) & found.cr;
        lf_before = found.lf >> 63;
        return (found.lf | found.cr) & ~paired;
    };
    size_t base = 0;
    for (; text.size() - base >= 64; base += 64)
        visit(base, ends(FindBreakBytes(text.data() + base)));
    if (base < text.size()) {
        std::array<char, 64> tail {};
        std::memcpy(tail.data(), text.data() + base, text.size() - base);
        visit(base, ends(FindBreakBytes(tail.data())));
    }
}

// The items of the text as they stand after normalising, found straight in
// the raw text: LF CR, a lone LF and a CR each end an item, left to right.
// Only where each item ends is kept; none contains CR or LF.
template<class Index>
class Items {
public:
    explicit Items(std::string_view text)
        : m_text(text)
        , m_count(CountItems(text))
        , m_ends(std::make_unique_for_overwrite<Index[]>(m_count))
    {
        Index* end = &m_ends[0];
        ForEachBlockOfEnds(text, [&end](size_t base, uint64_t ends) {
            for (; ends != 0; ends &= ends - 1)
                *end++ = static_cast<Index>(base + static_cast<size_t>(std::countr_zero(ends)));
        });
        *end = static_cast<Index>(text.size());
    }

    size_t Count() const { return m_count; }

    std::string_view operator[](size_t k) const
    {
        const size_t start = StartAt(k);
        return m_text.substr(start, m_ends[k] - start);
    }

    // Where item k's bounds and bytes are, to be asked for early.
    const void* Ends(size_t k) const { return &m_ends[k == 0 ? 0 : k - 1]; }
    const void* Start(size_t k) const { return m_text.data() + (k == 0 ? 0 : m_ends[k - 1]); }
    const void* End(size_t k) const { return m_text.data() + m_ends[k]; }

private:
    size_t StartAt(size_t k) const
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

    // Counted first, so that exactly the room needed is taken.
    static size_t CountItems(std::string_view text)
    {
        size_t count = 1;
        ForEachBlockOfEnds(text, [&count](size_t, uint64_t ends) { count += static_cast<size_t>(std::popcount(ends)); });
        return count;
    }

    std::string_view m_text;
    size_t m_count;
    std::unique_ptr<Index[]> m_ends;
};

// Which of the n items (in text order) are still present: one bit each, in
// leaves of eight 64-bit words (one cache line), under a tree of 16 branches
// a node. A node keeps, for each branch, how many items remain in the
// branches before it, in one cache line, and each leaf has the same for its
// words beside it; so a draw compares k with a whole node at once, and reads
// one line per level (four levels for ten million items) and the leaf's.
// Against a Fenwick tree of counts (one per item, 20 dependent reads a draw
// at 10^6 items): 0.112 s against 0.31 s (at 10^7 lines, 1.5 s against 8.1 s).
template<class Index>
class RemainingItems {
public:
    explicit RemainingItems(size_t n)
        : m_leaf_count((n + kPerLeaf - 1) / kPerLeaf)
        , m_leaves(m_leaf_count)
        , m_leaf_counts(m_leaf_count)
    {
        std::vector<Index> counts(m_leaf_count);
        for (size_t leaf = 0; leaf < m_leaf_count; ++leaf) {
            for (size_t word = 0; word < kWords; ++word) {
                const size_t first = (leaf * kWords + word) * 64;
                const size_t present = first >= n ? 0 : std::min<size_t>(64, n - first);
                m_leaves[leaf].words[word] = present == 64 ? ~uint64_t { 0 } : (uint64_t { 1 } << present) - 1;
                m_leaf_counts[leaf].before[word] = static_cast<int16_t>(counts[leaf]);
                counts[leaf] += static_cast<Index>(present);
            }
        }
        // Level by level from the leaves up, to a single node. Branches past
        // the last one count nothing, so they are never taken.
        do {
            const size_t nodes = (counts.size() + kBranches - 1) / kBranches;
            m_levels.push_back(m_nodes.size());
            m_nodes.resize(m_nodes.size() + nodes);
            std::vector<Index> totals(nodes);
            for (size_t branch = 0; branch < nodes * kBranches; ++branch) {
                const size_t node = branch / kBranches;
                m_nodes[m_levels.back() + node].before[branch % kBranches] = totals[node];
                totals[node] += branch < counts.size() ? counts[branch] : 0;
            }
            counts = std::move(totals);
        } while (counts.size() > 1);
    }

    // Where the k-th item still present (1 <= k <= the number present) is:
    // its leaf and its rank there. Counts its removal in the nodes above the
    // leaf at once; Take then removes it from the leaf. The nodes and the
    // leaves are apart, so a search need not wait for the leaf work of the
    // searches before it, as long as the leaf work follows in the same order.
    struct Place {
        size_t leaf;
        size_t rank;
    };
    Place Find(size_t k)
    {
        size_t leaf = 0;
        for (size_t level = m_levels.size(); level-- > 0;)
            leaf = leaf * kBranches + Descend(m_nodes[m_levels[level] + leaf], k);
        return { leaf, k };
    }

    // The item (in text order) at the place, which is then removed.
    size_t Take(Place place) { return place.leaf * kPerLeaf + TakeInLeaf(m_leaves[place.leaf], m_leaf_counts[place.leaf], place.rank); }

    // Where the place's leaf is, to be asked for early.
    const void* Leaf(Place place) const { return &m_leaves[place.leaf]; }
    const void* Counts(Place place) const { return &m_leaf_counts[place.leaf]; }

private:
    static constexpr size_t kBranches = 16;

    struct alignas(64) Node {
        // Items remaining in the branches before each; the first is always 0.
        std::array<Index, kBranches> before;
    };

    static constexpr size_t kWords = 8;
    static constexpr size_t kPerLeaf = kWords * 64;
    struct alignas(64) Bits {
        std::array<uint64_t, kWords> words;
    };
    // The bits set in the leaf's words before each word.
    struct alignas(16) LeafCounts {
        std::array<int16_t, kWords> before;
    };

    // The branch that holds the k-th item of the node, counting its removal:
    // every branch after it has one item fewer before it. k becomes the rank
    // within that branch. The counts before are in order, so the branches
    // after it are exactly those whose count is at least k. Comparing all 16
    // at once here and all 8 in TakeInLeaf, instead of the loops below:
    // 0.112 s against 0.131 s.
    static size_t Descend(Node& node, size_t& k)
    {
        size_t branch = 0;
#if defined(__SSE2__)
        if constexpr (sizeof(Index) == 4) {
            // All counts are below 2^31 (see DrawLines), so signed comparisons do.
            const __m128i below = _mm_set1_epi32(static_cast<int32_t>(k - 1));
            auto* lanes = reinterpret_cast<__m128i*>(node.before.data());
            __m128i counts[4];
            __m128i at_least_k[4];
            for (unsigned part = 0; part < 4; ++part) {
                counts[part] = _mm_load_si128(lanes + part);
                at_least_k[part] = _mm_cmpgt_epi32(counts[part], below);
            }
            const __m128i bytes = _mm_packs_epi16(_mm_packs_epi32(at_least_k[0], at_least_k[1]), _mm_packs_epi32(at_least_k[2], at_least_k[3]));
            const auto after = static_cast<unsigned>(_mm_movemask_epi8(bytes));
            branch = static_cast<size_t>(std::countr_zero(after | 1u << kBranches)) - 1;
            k -= node.before[branch];
            for (unsigned part = 0; part < 4; ++part)
                _mm_store_si128(lanes + part, _mm_add_epi32(counts[part], at_least_k[part]));
            return branch;
        }
#endif
        for (size_t b = 1; b < kBranches; ++b) {
            const bool at_least_k = node.before[b] >= k;
            branch += !at_least_k;
            node.before[b] -= at_least_k;
        }
        k -= node.before[branch];
        return branch;
    }

    // The k-th bit set in the leaf, which is then cleared; like Descend, one
    // level down. The counts before each word, and Select within the word,
    // against counting the words' bits one by one and then stepping through
    // the bits of the word found: 0.112 s against 0.133 s.
    static size_t TakeInLeaf(Bits& leaf, LeafCounts& counts, size_t k)
    {
        size_t lane = 0;
#if defined(__SSE2__)
        auto* lanes = reinterpret_cast<__m128i*>(counts.before.data());
        const __m128i before = _mm_load_si128(lanes);
        const __m128i at_least_k = _mm_cmpgt_epi16(before, _mm_set1_epi16(static_cast<int16_t>(k - 1)));
        const auto after = static_cast<unsigned>(_mm_movemask_epi8(at_least_k));
        lane = static_cast<size_t>(std::countr_zero(after | 1u << 16)) / 2 - 1;
        k -= static_cast<size_t>(counts.before[lane]);
        _mm_store_si128(lanes, _mm_add_epi16(before, at_least_k));
#else
        for (size_t w = 1; w < kWords; ++w) {
            const bool at_least_k = static_cast<size_t>(counts.before[w]) >= k;
            lane += !at_least_k;
            counts.before[w] = static_cast<int16_t>(counts.before[w] - at_least_k);
        }
        k -= static_cast<size_t>(counts.before[lane]);
#endif
        uint64_t& word = leaf.words[lane];
        const auto byte = static_cast<unsigned>(Select(ByteCounts(word), kBytes, 8, k));
        const unsigned bit = 8 * byte + kSelectInByte[(word >> (8 * byte)) & 0xFF][k - 1];
        word &= ~(uint64_t { 1 } << bit);
        return lane * 64 + bit;
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

    size_t m_leaf_count;
    std::vector<Bits> m_leaves;
    std::vector<LeafCounts> m_leaf_counts;
    std::vector<Node> m_nodes;
    // Where each level starts in m_nodes, from the one above the leaves up to the root.
    std::vector<size_t> m_levels;
};

// j = ToInt32(Floor(rnd * i) + 1.0), clamped into 1..i: ToInt32 gives 0 for
// NaN and saturates, so everything below 0 gives 1 and everything from
// min(i, 2^31 - 1) on gives that. rnd promises [0, 1), which keeps j in 1..i;
// a source that breaks it must not reach past the items.
size_t Draw(double rnd, size_t i)
{
    const double scaled = rnd * static_cast<double>(i);
    const size_t top = std::min<size_t>(i, std::numeric_limits<int32_t>::max());
    if (!(scaled >= 0.0))
        return 1;
    return scaled < static_cast<double>(top) ? static_cast<size_t>(scaled) + 1 : top;
}

// How many draws pass between two questions to `stopped`.
constexpr size_t kDrawsPerStopCheck = 65536;

// Index holds every position in the text and so every count of its items.
// False when `stopped` ended the draws early.
template<class Index>
bool DrawItems(std::string_view text, const std::function<double()>& rnd,
    const std::function<void(std::span<const std::string_view>)>& take, const std::function<bool()>& stopped)
{
    const Items<Index> items(text);
    const size_t n = items.Count();
    RemainingItems<Index> remaining(n);
    // A pipeline over the draws, each stage some draws behind the one before,
    // so that what a stage reads was asked for early and has arrived: the
    // search (its leaf asked for), the leaf work (where the item ends asked
    // for), the item's bytes asked for, the item handed on in a batch.
    // Against each step reading at once what it needs, 0.112 s as it is; with
    // the leaf work done right after the search, 0.123 s (at 10^7 lines,
    // 1.5 s against 2.5 s); without asking early for the ends, 0.188 s;
    // without asking early for the bytes, 0.208 s.
    constexpr size_t leaf_stage = 8;
    constexpr size_t ends_stage = leaf_stage + 16;
    constexpr size_t view_stage = ends_stage + 16;
    constexpr size_t ring = 64; // holds each draw from its search to its hand-over
    static_assert(view_stage < ring);
    std::array<typename RemainingItems<Index>::Place, ring> places;
    std::array<size_t, ring> drawn;
    constexpr size_t batch = 256;
    std::array<std::string_view, batch> views;
    size_t viewed = 0;
    for (size_t step = 0; step < n + view_stage; ++step) {
        if (step < n) {
            if (stopped && step != 0 && step % kDrawsPerStopCheck == 0 && stopped())
                return false;
            places[step % ring] = remaining.Find(Draw(rnd(), n - step));
            __builtin_prefetch(remaining.Leaf(places[step % ring]));
            __builtin_prefetch(remaining.Counts(places[step % ring]));
        }
        if (const size_t d = step - leaf_stage; step >= leaf_stage && d < n) {
            drawn[d % ring] = remaining.Take(places[d % ring]);
            __builtin_prefetch(items.Ends(drawn[d % ring]));
        }
        if (const size_t d = step - ends_stage; step >= ends_stage && d < n) {
            __builtin_prefetch(items.Start(drawn[d % ring]));
            __builtin_prefetch(items.End(drawn[d % ring]));
        }
        if (const size_t d = step - view_stage; step >= view_stage) {
            views[viewed++] = items[drawn[d % ring]];
            if (viewed == batch || d + 1 == n) {
                take(std::span(views.data(), viewed));
                viewed = 0;
            }
        }
    }
    return true;
}

// Index: see DrawItems.
bool DrawAll(std::string_view text, const std::function<double()>& rnd,
    const std::function<void(std::span<const std::string_view>)>& take, const std::function<bool()>& stopped)
{
    // 32 bits hold every position, and every count as a signed number.
    if (text.size() < std::numeric_limits<int32_t>::max())
        return DrawItems<uint32_t>(text, rnd, take, stopped);
    return DrawItems<uint64_t>(text, rnd, take, stopped);
}

}

bool HasSeveralLines(std::string_view text)
{
    // Normalising turns every line break, of any form, into one CR, and a text
    // with k CRs has k + 1 items.
    return !text.empty()
        && (std::memchr(text.data(), LF, text.size()) != nullptr || std::memchr(text.data(), CR, text.size()) != nullptr);
}

bool DrawLines(std::string_view text, const std::function<double()>& rnd,
    const std::function<void(std::span<const std::string_view>)>& take)
{
    if (!HasSeveralLines(text))
        return false;
    DrawAll(text, rnd, take, {});
    return true;
}

std::optional<std::string> ShuffleLines(std::string_view text, const std::function<double()>& rnd, const std::function<bool()>& stopped)
{
    if (!HasSeveralLines(text))
        return std::nullopt;
    // Each line break becomes one CR, so the result is never longer than the text.
    std::string result(text.size(), CR);
    char* out = result.data();
    bool first = true;
    const bool done = DrawAll(text, rnd, [&out, &first](std::span<const std::string_view> items) {
        for (const std::string_view item : items) {
            if (!first)
                ++out; // past the CR that the result was filled with
            first = false;
            std::memcpy(out, item.data(), item.size());
            out += item.size();
        }
    }, stopped);
    if (!done)
        return std::nullopt;
    result.resize(static_cast<size_t>(out - result.data()));
    return result;
}
