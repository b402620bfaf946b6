#include "tools/LineShuffle.h"

#include "tests/support/LiteralShuffle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

const double kJustBelowOne = std::nextafter(1.0, 0.0);

// An rnd that gives the same value every time and counts its calls.
struct Constant {
    double value;
    int calls { 0 };
    std::function<double()> Source() { return [this] { ++calls; return value; }; }
};

std::vector<std::string> SortedItems(const std::string& normalised)
{
    std::vector<std::string> items;
    size_t start = 0;
    for (size_t cr; (cr = normalised.find('\r', start)) != std::string::npos; start = cr + 1)
        items.push_back(normalised.substr(start, cr - start));
    items.push_back(normalised.substr(start));
    std::sort(items.begin(), items.end());
    return items;
}

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

// Items "0" to "n-1", one per line.
std::string NumberedLines(int n)
{
    std::string text;
    for (int k = 0; k < n; ++k) {
        if (k > 0)
            text += '\n';
        text += std::to_string(k);
    }
    return text;
}

// The draw-and-remove of the items' numbers with an array erase, as the plain
// shuffle does with the items themselves.
std::vector<int> PlainOrder(int n, const std::function<double()>& rnd)
{
    std::vector<int> remaining(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k)
        remaining[static_cast<size_t>(k)] = k;
    std::vector<int> order;
    for (int i = n; i >= 1; --i) {
        const int j = static_cast<int>(std::floor(rnd() * i)) + 1;
        order.push_back(remaining[static_cast<size_t>(j - 1)]);
        remaining.erase(remaining.begin() + (j - 1));
    }
    return order;
}

std::vector<int> Numbers(const std::string& shuffled)
{
    std::vector<int> numbers;
    size_t start = 0;
    for (size_t cr; (cr = shuffled.find('\r', start)) != std::string::npos; start = cr + 1)
        numbers.push_back(std::stoi(shuffled.substr(start, cr - start)));
    numbers.push_back(std::stoi(shuffled.substr(start)));
    return numbers;
}

}

TEST(LineShuffle, TextsWithoutALineBreakAreLeftAloneAndDrawNothing)
{
    for (const std::string text : { "", "x", "  en lang linje med\tmellemrum og æøå  " }) {
        Constant rnd { 0.5 };
        EXPECT_FALSE(HasSeveralLines(text)) << text;
        EXPECT_EQ(ShuffleLines(text, rnd.Source()), std::nullopt) << text;
        EXPECT_FALSE(DrawLines(text, rnd.Source(), [](std::span<const std::string_view>) { FAIL(); })) << text;
        EXPECT_EQ(rnd.calls, 0) << text;
    }
}

TEST(LineShuffle, DrawsOfZeroGiveTheNormalisedTextAndJustBelowOneItsReverse)
{
    struct Case {
        std::string text, normalised, reversed;
        int items;
    };
    const Case cases[] = {
        { "a\nb", "a\rb", "b\ra", 2 }, { "a\r\nb", "a\r\rb", "b\r\ra", 3 }, { "a\n\rb", "a\rb", "b\ra", 2 },
        // One pass each: LF LF CR keeps two breaks.
        { "a\n\n\rb", "a\r\rb", "b\r\ra", 3 },
        // A lone line break is two empty items; CR LF is two breaks.
        { "\r", "\r", "\r", 2 }, { "\n", "\r", "\r", 2 }, { "\n\r", "\r", "\r", 2 }, { "\r\n", "\r\r", "\r\r", 3 },
        // Blank, duplicate and padded lines are items as they stand, a trailing empty one too.
        { "a\rb\r", "a\rb\r", "\rb\ra", 3 }, { "linje\r\rlinje", "linje\r\rlinje", "linje\r\rlinje", 3 },
        { "x\nx", "x\rx", "x\rx", 2 }, { " a\t\n\tb ", " a\t\r\tb ", "\tb \r a\t", 2 },
        { "æble\nørred\n€", "æble\rørred\r€", "€\rørred\ræble", 3 },
        { "en\ntwo\r\ntre\n\rfire", "en\rtwo\r\rtre\rfire", "fire\rtre\r\rtwo\ren", 5 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(NormaliseLineBreaks(c.text), c.normalised);
        EXPECT_TRUE(HasSeveralLines(c.text));
        Constant zero { 0.0 }, last { kJustBelowOne };
        EXPECT_EQ(ShuffleLines(c.text, zero.Source()), c.normalised);
        EXPECT_EQ(ShuffleLines(c.text, last.Source()), c.reversed);
        EXPECT_EQ(zero.calls, c.items);
        EXPECT_EQ(last.calls, c.items);
    }
}

TEST(LineShuffle, DrawsOutsideTheUnitRangeStayWithinTheItems)
{
    for (const double high : { 1.0, 1e300, std::numeric_limits<double>::infinity() })
        EXPECT_EQ(ShuffleLines("a\nb\nc\nd", Constant { high }.Source()), "d\rc\rb\ra") << high;
    for (const double low : { -0.5, std::nan("") })
        EXPECT_EQ(ShuffleLines("a\nb\nc\nd", Constant { low }.Source()), "a\rb\rc\rd") << low;
}

TEST(LineShuffle, PermutesTheItemsOfRandomTextsExactlyAsThePlainDrawAndRemove)
{
    std::mt19937 engine(7);
    for (unsigned round = 0; round < 3000; ++round) {
        const std::string text = RandomText(engine);
        SCOPED_TRACE(text);
        const std::string normalised = NormaliseLineBreaks(text);
        EXPECT_EQ(normalised, literal::Normalise(text));
        EXPECT_EQ(HasSeveralLines(text), literal::HasSeveralLines(text));

        int calls = 0;
        const auto result = ShuffleLines(text, [&calls, rnd = RandomRnd(round)] { ++calls; return rnd(); });
        EXPECT_EQ(result, literal::ShuffleLines(text, RandomRnd(round)));
        const auto items = SortedItems(normalised);
        EXPECT_EQ(calls, items.size() < 2 ? 0 : static_cast<int>(items.size()));
        if (result) {
            EXPECT_EQ(SortedItems(*result), items);
            EXPECT_EQ(ShuffleLines(text, Constant { 0.0 }.Source()), normalised);
        }
    }
}

TEST(LineShuffle, MatchesThePlainDrawAndRemoveOnLongTexts)
{
    // Many items, on both sides of powers of two.
    for (const int lines : { 255, 256, 257, 1000, 4096, 5001 }) {
        std::string text;
        for (int k = 0; k < lines; ++k)
            text += "linje " + std::to_string(k % 97) + (k % 3 == 0 ? "\r\n" : k % 3 == 1 ? "\n" : "\r");
        for (const unsigned seed : { 1u, 2u, 3u })
            EXPECT_EQ(ShuffleLines(text, RandomRnd(seed)), literal::ShuffleLines(text, RandomRnd(seed))) << lines;
    }
}

TEST(LineShuffle, MatchesThePlainDrawAndRemoveWithManyItems)
{
    // Sixty thousand items, drawn uniformly.
    {
        const int n = 60000;
        EXPECT_EQ(Numbers(*ShuffleLines(NumberedLines(n), RandomRnd(4))), PlainOrder(n, RandomRnd(4)));
    }
    // Two and a quarter million, mostly drawn from the last few remaining
    // (which keeps the plain erase quick) and every 5000th uniformly.
    {
        const int n = 2250000;
        const auto rnd = [] {
            return [engine = std::mt19937_64(5), draws = 0]() mutable {
                const double uniform = std::uniform_real_distribution<double>(0.0, 1.0)(engine);
                return ++draws % 5000 == 0 ? uniform : std::min(1.0 - (1.0 - uniform) * 0x1.0p-14, kJustBelowOne);
            };
        };
        EXPECT_EQ(Numbers(*ShuffleLines(NumberedLines(n), rnd())), PlainOrder(n, rnd()));
    }
}

TEST(LineShuffle, DrawLinesHandsOnTheShuffledItemsInOrder)
{
    std::mt19937 engine(11);
    std::vector<std::string> texts { NumberedLines(255), NumberedLines(256) + "\r\n", NumberedLines(1000) };
    for (int k = 0; k < 300; ++k)
        texts.push_back(RandomText(engine));
    for (size_t t = 0; t < texts.size(); ++t) {
        const std::string& text = texts[t];
        SCOPED_TRACE(text);
        std::string joined;
        int items = 0;
        int calls = 0;
        const bool drawn = DrawLines(text, [&calls, rnd = RandomRnd(static_cast<unsigned>(t))] { ++calls; return rnd(); },
            [&](std::span<const std::string_view> batch) {
                EXPECT_FALSE(batch.empty());
                for (const std::string_view item : batch) {
                    EXPECT_TRUE(item.data() >= text.data() && item.data() + item.size() <= text.data() + text.size());
                    if (items++ > 0)
                        joined += '\r';
                    joined += item;
                }
            });
        const auto shuffled = ShuffleLines(text, RandomRnd(static_cast<unsigned>(t)));
        EXPECT_EQ(drawn, shuffled.has_value());
        EXPECT_EQ(calls, drawn ? items : 0);
        if (shuffled) {
            EXPECT_EQ(joined, *shuffled);
        }
    }
}
