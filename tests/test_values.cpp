#include "framework/Values.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <set>

using namespace fw;

TEST(Val, ReadsPlainDecimalNumbers)
{
    EXPECT_EQ(Val("10"), 10);
    EXPECT_EQ(Val("1.5"), 1.5);
    EXPECT_EQ(Val("-5"), -5);
    EXPECT_EQ(Val("+7"), 7);
    EXPECT_EQ(Val(".5"), 0.5);
    EXPECT_EQ(Val("5."), 5);
    EXPECT_EQ(Val("\t 42"), 42);
    EXPECT_EQ(Val("9999"), 9999);
}

TEST(Val, ReadsTheExponentFormOnlyWithExponentDigits)
{
    EXPECT_EQ(Val("1e10"), 1e10);
    EXPECT_EQ(Val("-1e9"), -1e9);
    EXPECT_EQ(Val("9e99"), 9e99);
    EXPECT_EQ(Val("2E-3"), 2e-3);
    EXPECT_EQ(Val("1e"), 1);
    EXPECT_EQ(Val("1e+"), 1);
    EXPECT_EQ(Val("3e-x"), 3);
}

TEST(Val, GivesTheNumberAtTheStartAndZeroWhereThereIsNone)
{
    for (const char* text : { "", "   ", "abc", ".", "-", "+.", "e5", "nan", "NaN", "inf", "-infinity", "\n5", "\xC3\xA6" })
        EXPECT_EQ(Val(text), 0) << '"' << text << '"';
    EXPECT_EQ(Val("12abc"), 12);
    EXPECT_EQ(Val("0x10"), 0);
    EXPECT_EQ(Val("1,5"), 1);
    EXPECT_EQ(Val("1.5.6"), 1.5);
    EXPECT_EQ(Val("- 5"), 0);
}

TEST(Val, OutOfRangeStaysFinite)
{
    EXPECT_EQ(Val("9e999"), DBL_MAX);
    EXPECT_EQ(Val("-9e999"), -DBL_MAX);
    EXPECT_EQ(Val("1e99999999999999999999999"), DBL_MAX);
    EXPECT_EQ(Val(std::string(400, '9')), DBL_MAX);
    EXPECT_EQ(Val("0.000001e-999"), 0);
    EXPECT_EQ(Val("-1e-999"), 0);
    EXPECT_EQ(Val("0e999999"), 0);
    EXPECT_EQ(Val("1e-310"), 1e-310);   // subnormal, still representable
    EXPECT_EQ(Val("0." + std::string(400, '0') + "1e401"), 1);
}

TEST(ToInt32, TruncatesTowardsZero)
{
    EXPECT_EQ(ToInt32(1.5), 1);
    EXPECT_EQ(ToInt32(1.9999), 1);
    EXPECT_EQ(ToInt32(-1.5), -1);
    EXPECT_EQ(ToInt32(-0.7), 0);
    EXPECT_EQ(ToInt32(2147483647.0), INT32_MAX);
    EXPECT_EQ(ToInt32(-2147483648.0), INT32_MIN);
}

TEST(ToInt32, SaturatesOutsideTheRangeAndMapsNaNToZero)
{
    EXPECT_EQ(ToInt32(2147483648.0), INT32_MAX);
    EXPECT_EQ(ToInt32(-2147483649.0), INT32_MIN);
    EXPECT_EQ(ToInt32(1e10), INT32_MAX);
    EXPECT_EQ(ToInt32(-1e300), INT32_MIN);
    EXPECT_EQ(ToInt32(DBL_MAX), INT32_MAX);
    EXPECT_EQ(ToInt32(-DBL_MAX), INT32_MIN);
    EXPECT_EQ(ToInt32(std::numeric_limits<double>::infinity()), INT32_MAX);
    EXPECT_EQ(ToInt32(std::nan("")), 0);
    EXPECT_EQ(ToInt32(Val("9e999")), INT32_MAX);
}

TEST(Strings, LenCountsCharactersNotBytes)
{
    EXPECT_EQ(Len(""), 0);
    EXPECT_EQ(Len("abc"), 3);
    EXPECT_EQ(Len("\xC3\xA6\xC3\xB8\xC3\xA5"), 3);                // æøå
    EXPECT_EQ(Len("Tilf\xC3\xA6ldigt tal"), 14);
    EXPECT_EQ(Len("\xE2\x82\xAC\xF0\x9F\x8E\xB2"), 2);            // € and a die
    // Bytes that start no character count one each.
    EXPECT_EQ(Len("\xC3"), 1);
    EXPECT_EQ(Len("a\x80\xBF" "b"), 4);
    EXPECT_EQ(Len("\xE2\x82" "a"), 3);
    EXPECT_EQ(Len("\xC0\xAF"), 2);                                 // overlong "/"
    EXPECT_EQ(Len("\xED\xA0\x80"), 3);                             // an encoded surrogate
}

TEST(Strings, ChrEncodesUtf8)
{
    EXPECT_EQ(Chr(10), "\n");
    EXPECT_EQ(Chr(13), "\r");
    EXPECT_EQ(Chr(0xE6), "\xC3\xA6");
    EXPECT_EQ(Chr(0x20AC), "\xE2\x82\xAC");
    EXPECT_EQ(Chr(0x1F3B2), "\xF0\x9F\x8E\xB2");
    EXPECT_EQ(Chr(0), std::string(1, '\0'));
    EXPECT_EQ(Chr(0xD800), "\xEF\xBF\xBD");
    EXPECT_EQ(Chr(0x110000), "\xEF\xBF\xBD");
}

TEST(ReplaceAll, NormalisesLineBreaksInOnePassWithoutSearchingReplacements)
{
    const std::string lf = "\n", cr = "\r";
    const auto normalise = [&](const std::string& text) { return ReplaceAll(ReplaceAll(text, lf + cr, cr), lf, cr); };
    EXPECT_EQ(normalise("a\n\rb"), "a\rb");
    EXPECT_EQ(normalise("a\r\nb"), "a\r\rb");
    EXPECT_EQ(normalise("a\nb\rc"), "a\rb\rc");
    EXPECT_EQ(ReplaceAll("\n\n\r", lf + cr, cr), "\n\r");
    EXPECT_EQ(normalise("\n\n\r"), "\r\r");
    EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(ReplaceAll("aaaa", "aa", "a"), "aa");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll("", "a", "x"), "");
    EXPECT_EQ(ReplaceAll("xyx", "x", ""), "y");
}

TEST(Fields, CountIncludesEmptyFieldsAndTheEmptyTextHasNone)
{
    const std::string cr = "\r";
    EXPECT_EQ(CountFields("", cr), 0);
    EXPECT_EQ(CountFields("one", cr), 1);
    EXPECT_EQ(CountFields("a\rb", cr), 2);
    EXPECT_EQ(CountFields("\r", cr), 2);
    EXPECT_EQ(CountFields("\ra\r", cr), 3);
    EXPECT_EQ(CountFields("a\r\rb", cr), 3);
    EXPECT_EQ(CountFields("a--b---c", "--"), 3);
    EXPECT_EQ(CountFields("abc", ""), 1);

    std::string many;
    for (int i = 0; i < 1'000'000; ++i)
        many += "x\r";
    EXPECT_EQ(CountFields(many, cr), 1'000'001);
    EXPECT_EQ(ReplaceAll(many, cr, "\n").size(), many.size());
}

TEST(Fields, NthFieldCountsFromOneAndIsEmptyOutOfRange)
{
    const std::string cr = "\r";
    EXPECT_EQ(NthField("\ra\r\rb\r", cr, 1), "");
    EXPECT_EQ(NthField("\ra\r\rb\r", cr, 2), "a");
    EXPECT_EQ(NthField("\ra\r\rb\r", cr, 3), "");
    EXPECT_EQ(NthField("\ra\r\rb\r", cr, 4), "b");
    EXPECT_EQ(NthField("\ra\r\rb\r", cr, 5), "");
    EXPECT_EQ(NthField("\ra\r\rb\r", cr, 6), "");
    EXPECT_EQ(NthField(" x \r\ty", cr, 2), "\ty");
    EXPECT_EQ(NthField("a--b---c", "--", 3), "-c");
    EXPECT_EQ(NthField("abc", cr, 0), "");
    EXPECT_EQ(NthField("abc", cr, -1), "");
    EXPECT_EQ(NthField("", cr, 1), "");
    EXPECT_EQ(NthField("abc", "", 1), "abc");
    EXPECT_EQ(NthField("abc", "", 2), "");
}

TEST(Rnd, SubstitutedSourceIsUsedUntilRestored)
{
    SetRndSource([] { return 0.25; });
    EXPECT_EQ(Rnd(), 0.25);
    SetRndSource({});
    EXPECT_NE(Rnd(), 0.25);
}

TEST(Rnd, GivesVaryingValuesFromZeroUpToButNotIncludingOne)
{
    std::set<double> seen;
    for (int i = 0; i < 10'000; ++i) {
        const double u = Rnd();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
        seen.insert(u);
        // Floor(u * n) stays an index below n, also for the largest n a field allows.
        ASSERT_LT(Floor(u * 9999.0), 9999.0);
    }
    EXPECT_GT(seen.size(), 9'000u);
}
