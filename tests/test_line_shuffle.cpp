// The fast shuffle held to the plain one (tests/support/LiteralShuffle.h),
// which is the rule: for every text and every sequence of Rnd values, the
// same lines in the same order, from the same number of draws.

#include "tools/LineShuffle.h"

#include "tests/support/LiteralShuffle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numeric>
#include <random>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

const double kJustBelowOne = std::nextafter(1.0, 0.0);

// Texts made of every kind of line break, empty and repeated items, blanks, tabs and UTF-8.
std::string RandomText(std::mt19937& engine)
{
    static const std::vector<std::string> pieces { "\r", "\n", "\r\n", "\n\r", "\n\n\r", "a", "a", "linje 7",
        "æble", "ørred på å", "  ", "\t", " x\t", "€" };
    std::string text;
    const int count = std::uniform_int_distribution<int>(0, 40)(engine);
    for (int k = 0; k < count; ++k)
        text += pieces[std::uniform_int_distribution<size_t>(0, pieces.size() - 1)(engine)];
    return text;
}

// A reproducible rnd: 0, just below 1, values exactly on a boundary of Floor (k/8), and uniform values.
std::function<double()> RandomRnd(unsigned seed)
{
    return [engine = std::mt19937_64(seed)]() mutable {
        switch (std::uniform_int_distribution<int>(0, 5)(engine)) {
        case 0: return 0.0;
        case 1: return kJustBelowOne;
        case 2: return std::uniform_int_distribution<int>(0, 7)(engine) / 8.0;
        default: return std::uniform_real_distribution<double>(0.0, 1.0)(engine);
        }
    };
}

// The rnd, counting its calls in `calls`.
std::function<double()> Counted(std::function<double()> rnd, int& calls)
{
    return [rnd = std::move(rnd), &calls] { ++calls; return rnd(); };
}

// Items "0" to "n-1", one per line.
std::string NumberedLines(int n)
{
    std::string text = "0";
    for (int k = 1; k < n; ++k)
        text += '\n' + std::to_string(k);
    return text;
}

// The draw-and-remove of the items' numbers with an array erase, as the plain
// shuffle does with the items themselves: quick enough for millions of items.
std::vector<int> PlainOrder(int n, const std::function<double()>& rnd)
{
    std::vector<int> remaining(static_cast<size_t>(n)), order;
    std::iota(remaining.begin(), remaining.end(), 0);
    for (int i = n; i >= 1; --i) {
        const auto drawn = remaining.begin() + static_cast<int>(std::floor(rnd() * i));
        order.push_back(*drawn);
        remaining.erase(drawn);
    }
    return order;
}

std::vector<int> Numbers(const std::string& shuffled)
{
    std::istringstream items(shuffled);
    std::vector<int> numbers;
    for (std::string item; std::getline(items, item, '\r');)
        numbers.push_back(std::stoi(item));
    return numbers;
}

// DrawLines hands on what ShuffleLines gives, from as many draws: the same
// items in the same order, in batches of views into the text.
void ExpectDrawLinesAsShuffleLines(const std::string& text, unsigned seed)
{
    std::string joined;
    int items = 0, calls = 0;
    const bool drawn = DrawLines(text, Counted(RandomRnd(seed), calls), [&](std::span<const std::string_view> batch) {
        EXPECT_FALSE(batch.empty());
        for (const std::string_view item : batch) {
            EXPECT_TRUE(item.data() >= text.data() && item.data() + item.size() <= text.data() + text.size());
            joined += (items++ > 0 ? "\r" : "") + std::string(item);
        }
    });
    const auto shuffled = ShuffleLines(text, RandomRnd(seed));
    EXPECT_EQ(drawn, shuffled.has_value());
    EXPECT_EQ(calls, drawn ? items : 0);
    EXPECT_EQ(joined, shuffled.value_or(""));
}

}

TEST(LineShuffle, PermutesTheItemsOfRandomTextsExactlyAsThePlainDrawAndRemove)
{
    std::mt19937 engine(7);
    for (unsigned round = 0; round < 3000; ++round) {
        const std::string text = RandomText(engine);
        SCOPED_TRACE(text);
        EXPECT_EQ(HasSeveralLines(text), literal::HasSeveralLines(text));
        int calls = 0, rule_calls = 0;
        EXPECT_EQ(ShuffleLines(text, Counted(RandomRnd(round), calls)), literal::ShuffleLines(text, Counted(RandomRnd(round), rule_calls)));
        EXPECT_EQ(calls, rule_calls);
        ExpectDrawLinesAsShuffleLines(text, round);
    }
}

TEST(LineShuffle, MatchesThePlainDrawAndRemoveOnLongTextsAndManyItems)
{
    // On both sides of powers of two.
    for (const int lines : { 255, 256, 257, 1000, 4096, 5001 }) {
        std::string text;
        for (int k = 0; k < lines; ++k)
            text += "linje " + std::to_string(k % 97) + (k % 3 == 0 ? "\r\n" : k % 3 == 1 ? "\n" : "\r");
        SCOPED_TRACE(lines);
        for (const unsigned seed : { 1u, 2u, 3u })
            EXPECT_EQ(ShuffleLines(text, RandomRnd(seed)), literal::ShuffleLines(text, RandomRnd(seed)));
        ExpectDrawLinesAsShuffleLines(text, 4);
    }
    // Sixty thousand items, drawn uniformly.
    EXPECT_EQ(Numbers(*ShuffleLines(NumberedLines(60000), RandomRnd(4))), PlainOrder(60000, RandomRnd(4)));
    // Two and a quarter million, mostly drawn from the last few remaining
    // (which keeps the plain erase quick) and every 5000th uniformly.
    const auto rnd = [] {
        return [engine = std::mt19937_64(5), draws = 0]() mutable {
            const double uniform = std::uniform_real_distribution<double>(0.0, 1.0)(engine);
            return ++draws % 5000 == 0 ? uniform : std::min(1.0 - (1.0 - uniform) * 0x1.0p-14, kJustBelowOne);
        };
    };
    EXPECT_EQ(Numbers(*ShuffleLines(NumberedLines(2250000), rnd())), PlainOrder(2250000, rnd()));
}

// A source that breaks its promise of [0, 1) still draws only lines there are.
TEST(LineShuffle, DrawsOutsideTheUnitRangeStayWithinTheItems)
{
    for (const double high : { 1.0, 1e300, std::numeric_limits<double>::infinity() })
        EXPECT_EQ(ShuffleLines("a\nb\nc\nd", [high] { return high; }), "d\rc\rb\ra") << high;
    for (const double low : { -0.5, std::nan("") })
        EXPECT_EQ(ShuffleLines("a\nb\nc\nd", [low] { return low; }), "a\rb\rc\rd") << low;
}

TEST(LineShuffle, AStopThatTurnsTrueEndsTheShuffleEarlyWithNothing)
{
    const int n = 1000000;
    const std::string text = NumberedLines(n);
    int asked = 0, calls = 0;
    const auto shuffled = ShuffleLines(text, Counted(RandomRnd(6), calls), [&asked] { return ++asked == 3; });
    EXPECT_FALSE(shuffled.has_value());
    EXPECT_EQ(asked, 3);
    EXPECT_LT(calls, n / 4);
    // A stop that never turns true changes nothing.
    EXPECT_EQ(ShuffleLines(text, RandomRnd(6), [] { return false; }), ShuffleLines(text, RandomRnd(6)));
}
