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
    std::function<double()> Source()
    {
        return [this] { ++calls; return value; };
    }
};

// An rnd that gives the listed values in turn.
std::function<double()> Values(std::vector<double> values)
{
    return [values = std::move(values), next = size_t { 0 }]() mutable { return values.at(next++); };
}

std::vector<std::string> Items(const std::string& normalised)
{
    std::vector<std::string> items;
    size_t start = 0;
    for (size_t cr; (cr = normalised.find('\r', start)) != std::string::npos; start = cr + 1)
        items.push_back(normalised.substr(start, cr - start));
    items.push_back(normalised.substr(start));
    return items;
}

std::vector<std::string> Sorted(std::vector<std::string> items)
{
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

// A reproducible rnd of the given seed: the edge values 0 and just below 1, values that
// land exactly on a boundary of Floor (k/8), and uniform values.
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

TEST(LineShuffle, EveryFormOfLineBreakBecomesOneOrMoreCRs)
{
    EXPECT_EQ(NormaliseLineBreaks("a\nb"), "a\rb");
    EXPECT_EQ(NormaliseLineBreaks("a\rb"), "a\rb");
    EXPECT_EQ(NormaliseLineBreaks("a\n\rb"), "a\rb");
    EXPECT_EQ(NormaliseLineBreaks("a\r\nb"), "a\r\rb");
    // One pass each: LF LF CR keeps two breaks.
    EXPECT_EQ(NormaliseLineBreaks("a\n\n\rb"), "a\r\rb");
    EXPECT_EQ(NormaliseLineBreaks("\n\r\n\r\r\n"), "\r\r\r\r");
    EXPECT_EQ(NormaliseLineBreaks("æ\nø"), "æ\rø");

    // With every draw taking the first remaining item, the shuffle writes the normalised text.
    Constant zero { 0.0 };
    EXPECT_EQ(ShuffleLines("a\nb", zero.Source()), "a\rb");
    EXPECT_EQ(ShuffleLines("a\r\nb", zero.Source()), "a\r\rb");
    EXPECT_EQ(ShuffleLines("a\n\rb", zero.Source()), "a\rb");
    EXPECT_EQ(ShuffleLines("a\n\n\rb", zero.Source()), "a\r\rb");
    EXPECT_EQ(zero.calls, 2 + 3 + 2 + 3);
}

TEST(LineShuffle, ASingleLineBreakIsTwoEmptyItemsAndShufflesToOneCR)
{
    for (const std::string text : { "\r", "\n", "\n\r" }) {
        Constant rnd { kJustBelowOne };
        EXPECT_TRUE(HasSeveralLines(text));
        EXPECT_EQ(ShuffleLines(text, rnd.Source()), "\r");
        EXPECT_EQ(rnd.calls, 2);
    }
    // CR LF is two breaks: three empty items.
    EXPECT_EQ(ShuffleLines("\r\n", Constant { 0.3 }.Source()), "\r\r");
}

TEST(LineShuffle, TwoLinesComeOutInTheOrderTheFirstDrawPicks)
{
    EXPECT_EQ(ShuffleLines("a\nb", Values({ 0.49, 0.0 })), "a\rb");
    EXPECT_EQ(ShuffleLines("a\nb", Values({ 0.5, 0.0 })), "b\ra");
    EXPECT_EQ(ShuffleLines("a\nb\nc", Values({ 0.4, 0.9, 0.0 })), "b\rc\ra");
}

TEST(LineShuffle, DrawsJustBelowOneReverseTheItems)
{
    Constant rnd { kJustBelowOne };
    EXPECT_EQ(ShuffleLines("en\ntwo\r\ntre\n\rfire", rnd.Source()), "fire\rtre\r\rtwo\ren");
    EXPECT_EQ(rnd.calls, 5);
}

TEST(LineShuffle, BlankDuplicateAndPaddedLinesAreItemsAsTheyStand)
{
    Constant last { kJustBelowOne };
    // Trailing break: the empty last item is drawn like any other.
    EXPECT_EQ(ShuffleLines("a\rb\r", last.Source()), "\rb\ra");
    EXPECT_EQ(ShuffleLines("linje\r\rlinje", last.Source()), "linje\r\rlinje");
    EXPECT_EQ(ShuffleLines("x\nx", last.Source()), "x\rx");
    EXPECT_EQ(ShuffleLines(" a\t\n\tb ", last.Source()), "\tb \r a\t");
    EXPECT_EQ(ShuffleLines("æble\nørred\n€", last.Source()), "€\rørred\ræble");
    EXPECT_EQ(last.calls, 3 + 3 + 2 + 2 + 3);
}

TEST(LineShuffle, DrawsOutsideTheUnitRangeStayWithinTheItems)
{
    const std::string text = "a\nb\nc\nd";
    EXPECT_EQ(ShuffleLines(text, Constant { 1.0 }.Source()), "d\rc\rb\ra");
    EXPECT_EQ(ShuffleLines(text, Constant { 1e300 }.Source()), "d\rc\rb\ra");
    EXPECT_EQ(ShuffleLines(text, Constant { std::numeric_limits<double>::infinity() }.Source()), "d\rc\rb\ra");
    EXPECT_EQ(ShuffleLines(text, Constant { -0.5 }.Source()), "a\rb\rc\rd");
    EXPECT_EQ(ShuffleLines(text, Constant { std::nan("") }.Source()), "a\rb\rc\rd");
}

TEST(LineShuffle, ResultsPermuteTheNormalisedItemsAndDrawOncePerItem)
{
    std::mt19937 engine(20240601);
    for (unsigned round = 0; round < 2000; ++round) {
        const std::string text = RandomText(engine);
        const std::string normalised = NormaliseLineBreaks(text);
        const auto items = Items(normalised);
        int calls = 0;
        auto rnd = [&calls, source = RandomRnd(round)]() mutable { ++calls; return source(); };
        const auto result = ShuffleLines(text, rnd);
        if (items.size() < 2) {
            EXPECT_EQ(result, std::nullopt);
            EXPECT_EQ(calls, 0);
            continue;
        }
        ASSERT_TRUE(result.has_value()) << text;
        EXPECT_EQ(calls, static_cast<int>(items.size())) << text;
        EXPECT_EQ(result->find('\n'), std::string::npos);
        EXPECT_EQ(Sorted(Items(*result)), Sorted(items)) << text;
        // A second shuffle permutes the same items.
        EXPECT_EQ(Sorted(Items(*ShuffleLines(*result, RandomRnd(round + 1)))), Sorted(items));
        // Every draw on the first item gives the normalised text back.
        EXPECT_EQ(ShuffleLines(text, Constant { 0.0 }.Source()), normalised);
    }
}

TEST(LineShuffle, MatchesThePlainDrawAndRemoveForEveryTextAndDrawSequence)
{
    std::mt19937 engine(7);
    for (unsigned round = 0; round < 3000; ++round) {
        const std::string text = RandomText(engine);
        EXPECT_EQ(NormaliseLineBreaks(text), literal::Normalise(text)) << text;
        EXPECT_EQ(HasSeveralLines(text), literal::HasSeveralLines(text)) << text;
        EXPECT_EQ(ShuffleLines(text, RandomRnd(round)), literal::ShuffleLines(text, RandomRnd(round))) << text;
    }
}

TEST(LineShuffle, MatchesThePlainDrawAndRemoveOnLongTexts)
{
    // Deep trees: many items, sizes on both sides of powers of two.
    for (const int lines : { 255, 256, 257, 1000, 4096, 5001 }) {
        std::string text;
        for (int k = 0; k < lines; ++k)
            text += "linje " + std::to_string(k % 97) + (k % 3 == 0 ? "\r\n" : k % 3 == 1 ? "\n" : "\r");
        for (const unsigned seed : { 1u, 2u, 3u })
            EXPECT_EQ(ShuffleLines(text, RandomRnd(seed)), literal::ShuffleLines(text, RandomRnd(seed))) << lines;
    }
}
