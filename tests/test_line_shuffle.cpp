#include "tools/LineShuffle.h"

#include "tests/support/LiteralShuffle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
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

}

TEST(LineShuffle, TextsWithoutALineBreakAreLeftAloneAndDrawNothing)
{
    for (const std::string text : { "", "x", "  en lang linje med\tmellemrum og æøå  " }) {
        Constant rnd { 0.5 };
        EXPECT_FALSE(HasSeveralLines(text)) << text;
        EXPECT_EQ(ShuffleLines(text, rnd.Source()), std::nullopt) << text;
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
