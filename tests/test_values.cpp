#include "framework/Values.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace fw;

TEST(Val, ReadsTheNumberAtTheStartOfHostileTextAndNeverNaNInfinityOrHex)
{
    const std::vector<std::pair<std::string, double>> cases {
        { "10", 10 }, { "1.5", 1.5 }, { "-5", -5 }, { "+7", 7 }, { ".5", 0.5 }, { "5.", 5 }, { "\t 42", 42 },
        { "1e10", 1e10 }, { "-1e9", -1e9 }, { "9e99", 9e99 }, { "2E-3", 2e-3 }, { "1e", 1 }, { "3e-x", 3 },
        { "12abc", 12 }, { "0x10", 0 }, { "1,5", 1 }, { "1.5.6", 1.5 }, { "- 5", 0 },
        { "", 0 }, { "   ", 0 }, { "abc", 0 }, { ".", 0 }, { "e5", 0 }, { "nan", 0 }, { "inf", 0 },
        { "-infinity", 0 }, { "\n5", 0 }, { "\xC3\xA6", 0 },
        // Beyond the range of a Double: the largest finite one, or 0.
        { "9e999", DBL_MAX }, { "-9e999", -DBL_MAX }, { std::string(400, '9'), DBL_MAX }, { "1e-999", 0 },
        { "1e-310", 1e-310 }, { "0." + std::string(400, '0') + "1e401", 1 },
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(Val(text), expected) << '"' << text << '"';
}

TEST(ToInt32, TruncatesTowardsZeroSaturatesAndMapsNaNToZero)
{
    const std::vector<std::pair<double, int32_t>> cases {
        { 1.9999, 1 }, { -1.5, -1 }, { -0.7, 0 }, { 2147483647.0, INT32_MAX }, { -2147483648.0, INT32_MIN },
        { 2147483648.0, INT32_MAX }, { -2147483649.0, INT32_MIN }, { 1e10, INT32_MAX }, { -DBL_MAX, INT32_MIN },
        { std::numeric_limits<double>::infinity(), INT32_MAX }, { std::nan(""), 0 },
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(ToInt32(value), expected) << value;
}

TEST(Strings, LenCountsCharactersAndChrWritesThemInUtf8)
{
    EXPECT_EQ(Len(""), 0);
    EXPECT_EQ(Len("\xC3\xA6\xC3\xB8\xC3\xA5"), 3);                 // æøå
    EXPECT_EQ(Len("\xE2\x82\xAC\xF0\x9F\x8E\xB2"), 2);             // € and a die
    EXPECT_EQ(Len("a\x80\xBF" "b"), 4);                             // stray bytes count one each
    EXPECT_EQ(Len("\xED\xA0\x80"), 3);                              // an encoded surrogate is no character
    EXPECT_EQ(Chr(13), "\r");
    EXPECT_EQ(Chr(0xE6), "\xC3\xA6");
    EXPECT_EQ(Chr(0x1F3B2), "\xF0\x9F\x8E\xB2");
    EXPECT_EQ(Chr(0xD800), "\xEF\xBF\xBD");
}

TEST(Strings, ReplaceAllMakesOnePassWithoutSearchingWhatItPutIn)
{
    const std::string lf = "\n", cr = "\r";
    const auto normalise = [&](const std::string& text) { return ReplaceAll(ReplaceAll(text, lf + cr, cr), lf, cr); };
    EXPECT_EQ(normalise("a\n\rb"), "a\rb");
    EXPECT_EQ(normalise("a\r\nb"), "a\r\rb");
    EXPECT_EQ(normalise("\n\n\r"), "\r\r");
    EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(ReplaceAll("aaaa", "aa", "a"), "aa");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

TEST(Strings, FieldsCountFromOneIncludeEmptyOnesAndTheEmptyTextHasNone)
{
    const std::string cr = "\r";
    EXPECT_EQ(CountFields("", cr), 0);
    EXPECT_EQ(CountFields("one", cr), 1);
    EXPECT_EQ(CountFields("\r", cr), 2);
    EXPECT_EQ(CountFields("\ra\r\rb\r", cr), 5);
    EXPECT_EQ(CountFields("a--b---c", "--"), 3);
    const std::vector<std::string> fields { "", "a", "", "b", "", "" };
    for (int32_t n = 0; n < static_cast<int32_t>(fields.size()); ++n)
        EXPECT_EQ(NthField("\ra\r\rb\r", cr, n + 1), fields[static_cast<size_t>(n)]) << n + 1;
    EXPECT_EQ(NthField("abc", cr, 0), "");
    EXPECT_EQ(NthField("a--b---c", "--", 3), "-c");

    std::string many;
    for (int i = 0; i < 1'000'000; ++i)
        many += "x\r";
    EXPECT_EQ(CountFields(many, cr), 1'000'001);
}

TEST(Rnd, GivesVaryingValuesBelowOneUntilATestSubstitutesItsOwn)
{
    std::set<double> seen;
    for (int i = 0; i < 10'000; ++i) {
        const double u = Rnd();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
        seen.insert(u);
    }
    EXPECT_GT(seen.size(), 9'000u);
    SetRndSource([] { return 0.25; });
    EXPECT_EQ(Rnd(), 0.25);
    SetRndSource({ });
    EXPECT_NE(Rnd(), 0.25);
}
