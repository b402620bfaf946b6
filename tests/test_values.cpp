// The framework's functions, called directly: values and strings, Rnd and
// its ChaCha20, and the design-list reader.

#include "framework/ChaCha20.h"
#include "framework/Design.h"
#include "framework/Values.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>

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

// Tests substitute their own source; the program's comes back when they reset it.
TEST(Rnd, ATestsSourceServesEveryThreadUntilReset)
{
    auto on_another_thread = [] {
        double u = -1;
        std::thread([&] { u = Rnd(); }).join();
        return u;
    };
    SetRndSource([] { return 0.25; });
    EXPECT_EQ(Rnd(), 0.25);
    EXPECT_EQ(on_another_thread(), 0.25);
    SetRndSource({ });
    EXPECT_NE(Rnd(), 0.25);
    EXPECT_NE(on_another_thread(), 0.25);
}

namespace {

// ChaCha20's block function as the standard writes it, one block at a time.
std::array<uint32_t, 16> PlainChaCha20Block(const std::array<uint32_t, 16>& in)
{
    std::array<uint32_t, 16> x = in;
    auto quarter_round = [&x](int a, int b, int c, int d) {
        x[a] += x[b]; x[d] = std::rotl(x[d] ^ x[a], 16);
        x[c] += x[d]; x[b] = std::rotl(x[b] ^ x[c], 12);
        x[a] += x[b]; x[d] = std::rotl(x[d] ^ x[a], 8);
        x[c] += x[d]; x[b] = std::rotl(x[b] ^ x[c], 7);
    };
    static const int kRounds[8][4] = { { 0, 4, 8, 12 }, { 1, 5, 9, 13 }, { 2, 6, 10, 14 }, { 3, 7, 11, 15 },
        { 0, 5, 10, 15 }, { 1, 6, 11, 12 }, { 2, 7, 8, 13 }, { 3, 4, 9, 14 } };
    for (int i = 0; i < 10; ++i)
        for (const auto& [a, b, c, d] : kRounds)
            quarter_round(a, b, c, d);
    for (size_t w = 0; w < 16; ++w)
        x[w] += in[w];
    return x;
}

}

// Rnd's values are this function's output: a slip in it could still look
// random while no longer being ChaCha20, so it is held to the standard.
TEST(ChaCha20Blocks, GivesTheStandardsBlocksInEveryLane)
{
    // RFC 8439, section 2.3.2: the key 00 01 .. 1f, block counter 1, nonce 00 00 00 09 00 00 00 4a 00 00 00 00.
    const std::array<uint32_t, 16> rfc_in {
        0x61707865, 0x3320646e, 0x79622d32, 0x6b206574, 0x03020100, 0x07060504, 0x0b0a0908, 0x0f0e0d0c,
        0x13121110, 0x17161514, 0x1b1a1918, 0x1f1e1d1c, 0x00000001, 0x09000000, 0x4a000000, 0x00000000,
    };
    const std::array<uint32_t, 16> rfc_out {
        0xe4e7f110, 0x15593bd1, 0x1fdd0f50, 0xc47120a3, 0xc7f4d1c7, 0x0368c033, 0x9aaa2204, 0x4e6cd4c3,
        0x466482d2, 0x09aa9f07, 0x05d7c214, 0xa2028bd9, 0xd19c12b5, 0xb94e16de, 0xe883d0cb, 0x4e3c50a2,
    };
    EXPECT_EQ(PlainChaCha20Block(rfc_in), rfc_out);

    std::mt19937 random(7);
    for (int round = 0; round < 100; ++round) {
        std::array<std::array<uint32_t, 16>, 8> states;
        for (auto& state : states)
            for (uint32_t& word : state)
                word = static_cast<uint32_t>(random());
        states[round % 8] = rfc_in;
        uint32_t in[16][8];
        uint32_t out[16][8];
        for (size_t b = 0; b < 8; ++b)
            for (size_t w = 0; w < 16; ++w)
                in[w][b] = states[b][w];
        ChaCha20Blocks(in, out);
        for (size_t b = 0; b < 8; ++b) {
            std::array<uint32_t, 16> block;
            for (size_t w = 0; w < 16; ++w)
                block[w] = out[w][b];
            ASSERT_EQ(block, PlainChaCha20Block(states[b])) << "round " << round << ", lane " << b;
        }
    }
}

namespace {

// From here on, this process's getrandom fails as on a kernel without it.
void ForbidGetrandom()
{
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_getrandom, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | ENOSYS),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog program { static_cast<unsigned short>(std::size(filter)), filter };
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 || prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0)
        std::_Exit(2);
}

}

TEST(RndDeathTest, WithoutTheSystemsSourceSaysSoOnceAndStillDrawsFreshValuesOnEveryThread)
{
    auto draw_without_getrandom = [] {
        ForbidGetrandom();
        // Threads of their own: their generators start after the source failed.
        // Enough draws on each for many refills of what the source would give.
        std::vector<double> a, b;
        auto draw = [](std::vector<double>& values) {
            for (int i = 0; i < 200'000; ++i)
                values.push_back(Rnd());
        };
        std::thread first(draw, std::ref(a));
        std::thread second(draw, std::ref(b));
        first.join();
        second.join();
        std::set<double> distinct(a.begin(), a.end());
        distinct.insert(b.begin(), b.end());
        const bool in_range = std::all_of(a.begin(), a.end(), [](double u) { return u >= 0 && u < 1; })
            && std::all_of(b.begin(), b.end(), [](double u) { return u >= 0 && u < 1; });
        std::_Exit(in_range && distinct.size() > 399'990 ? 0 : 1);
    };
    EXPECT_EXIT(draw_without_getrandom(), ::testing::ExitedWithCode(0),
        "^[^\n]*the system's random source failed \\(getrandom: Function not implemented\\)[^\n]*/dev/urandom\n$");
}

namespace {

struct Recorder : PropertyTarget {
    std::vector<std::pair<std::string, PropertyValue>> seen;
    void SetProperty(std::string_view name, const PropertyValue& value) override { seen.emplace_back(name, value); }
};

}

TEST(DesignList, ReadingGivesBackEveryEntryInStoredOrder)
{
    const std::string kTitleText = "Tilf\xC3\xA6ldigt tal";
    const DesignList list = Design { }.Int("Placement", 2).Int("Top", -1).Str("Title", kTitleText).Bool("Visible", true)
        .Color("TextColor", 0x102030).Bool("Value", false).Int("HasMenu", 0).Str("HelpTag", "").Int("Index", INT32_MIN)
        .Str("Name", "Tal");
    Recorder target;
    SetProperties(target, list);
    const std::vector<std::pair<std::string, PropertyValue>> expected { { "Placement", int32_t { 2 } },
        { "Top", int32_t { -1 } }, { "Title", kTitleText }, { "Visible", true }, { "TextColor", Rgb { 0x10, 0x20, 0x30 } },
        { "Value", false }, { "HasMenu", int32_t { 0 } }, { "HelpTag", std::string() }, { "Index", INT32_MIN },
        { "Name", std::string("Tal") } };
    EXPECT_EQ(target.seen, expected);
}
