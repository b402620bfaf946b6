// Is the die fair? Numbers and orders drawn with the program's real random
// source, through the real windows and the real shuffle, held against the
// uniform distribution.
//
// Every check is Pearson's chi-square test at a false-alarm probability of
// 1e-7, so that the seven checks of this file together fail a sound generator
// less than once in a million runs. A skew of a few per cent, or a draw that
// leans on the one before, fails them.

#include "framework/Values.h"
#include "tests/support/Controls.h"
#include "tests/support/Fixtures.h"
#include "tests/support/Harness.h"
#include "tools/LineShuffle.h"
#include "tools/wTilfaeldigRaekkefoelge.h"
#include "tools/wTilfaeldigtTal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

// Pearson's statistic of the counts against equal expected counts, below its
// upper 1e-7 quantile for that many degrees of freedom: the x with
// gammainc(df / 2, x / 2, inf, regularized=True) == 1e-7, solved with mpmath at
// 40 digits. (Wilson-Hilferty's approximation is 2.3 too high at 5 degrees of freedom.)
void ExpectUniform(const std::vector<int>& counts, const char* what)
{
    static const std::map<size_t, double> kCritical {
        { 5, 40.863 }, { 23, 76.903 }, { 35, 96.952 }, { 49, 118.785 },
        { 80, 163.905 }, { 119, 217.226 }, { 9998, 10750.660 },
    };
    const double expected = std::accumulate(counts.begin(), counts.end(), 0.0) / static_cast<double>(counts.size());
    double statistic = 0;
    for (int count : counts)
        statistic += (count - expected) * (count - expected) / expected;
    EXPECT_LT(statistic, kCritical.at(counts.size() - 1)) << what << ": " << counts.size() << " cells";
}

// Every one of the n! orders came out, and equally often.
void ExpectEveryOrderEquallyOften(const std::map<std::string, int>& seen, size_t orders, const char* what)
{
    EXPECT_EQ(seen.size(), orders) << what << ": orders that came out";
    std::vector<int> counts;
    for (const auto& [order, count] : seen)
        counts.push_back(count);
    ExpectUniform(counts, what);
}

using Fairness = harness::AppTest;

// What the random-number window shows is uniform, and so are the pairs of
// draws one after the other (the first and second, the third and fourth...),
// each number counted in its bin of bin_width numbers.
TEST_F(Fairness, OneToSixAndOneTo9999ComeUpEquallyOftenWhateverCameBefore)
{
    auto w = harness::Open<wTilfaeldigtTal>();
    for (const auto& [max, bin_width] : { std::pair { 6, 1 }, { 9999, 1111 } }) {
        SCOPED_TRACE(max);
        harness::MaxTal(*w).SelectAll();
        harness::Type(harness::MaxTal(*w), QString::number(max));
        std::vector<int> singles(max), pairs(max / bin_width * max / bin_width);
        int previous = -1;
        for (int i = 0; i < 60'000; ++i) {
            harness::Knap(*w).Push();
            const int value = std::stoi(harness::Tal(*w)) - 1;
            ASSERT_TRUE(0 <= value && value < max) << value + 1;
            ++singles[value];
            if (i % 2)
                ++pairs[previous / bin_width * (max / bin_width) + value / bin_width];
            previous = value;
        }
        ExpectUniform(singles, "single draws");
        ExpectUniform(pairs, "consecutive pairs");
    }
}

TEST_F(Fairness, EveryOrderOfFourLinesComesOutOfTheWindowEquallyOften)
{
    auto w = harness::Open<wTilfaeldigRaekkefoelge>();
    auto& field = harness::Tekstfelt(*w);
    std::map<std::string, int> seen;
    for (int i = 0; i < 24 * 100; ++i) {
        // From the same text each time: shuffling the last result again would
        // hide a bias by mixing it away.
        field.SetText("0\n1\n2\n3");
        harness::TilfaeldigRaekkefoelge(*w).Push();
        ++seen[field.Text()];
    }
    ExpectEveryOrderEquallyOften(seen, 24, "orders of 4 lines");
}

TEST(FairShuffle, EveryOrderOfFiveLinesComesOutEquallyOften)
{
    std::map<std::string, int> seen;
    for (int i = 0; i < 120 * 400; ++i)
        ++seen[ShuffleLines("0\n1\n2\n3\n4", fw::Rnd).value()];
    ExpectEveryOrderEquallyOften(seen, 120, "orders of 5 lines");
}

TEST(FairShuffle, TheFirstOfFiftyLinesLandsInEveryPlaceEquallyOften)
{
    std::string text = "first";
    for (int line = 1; line < 50; ++line)
        text += "\nline";
    std::vector<int> places(50);
    for (int i = 0; i < 50 * 400; ++i) {
        const std::string shuffled = ShuffleLines(text, fw::Rnd).value();
        ++places[std::count(shuffled.begin(), shuffled.begin() + shuffled.find("first"), '\r')];
    }
    ExpectUniform(places, "places of the first line");
}

// Each thread reads the system's source into a buffer of its own when it first
// draws: two threads, like two runs of the program, never start alike.
TEST(FairStart, TwoFreshThreadsDoNotDrawTheSameFirstTwenty)
{
    auto first_draws = [] {
        std::vector<double> draws(20);
        std::thread([&draws] { std::generate(draws.begin(), draws.end(), [] { return fw::Rnd(); }); }).join();
        return draws;
    };
    EXPECT_NE(first_draws(), first_draws());
}

}
