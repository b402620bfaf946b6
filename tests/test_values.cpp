// The framework's functions, called directly: values and strings, Rnd, and
// the design-list reader.

#include "framework/Design.h"
#include "framework/Values.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <limits>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

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

// How many of the values a forked child drew its parent drew too: 10,000
// each, past a refill of the buffer; SIZE_MAX where the child failed.
size_t ValuesDrawnInBothAfterFork()
{
    constexpr size_t kDraws = 10'000;
    auto draw = [](double* values) { std::generate(values, values + kDraws, [] { return Rnd(); }); };
    // The child's values come back through memory that fork() shares.
    void* shared = mmap(nullptr, kDraws * sizeof(double), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (shared == MAP_FAILED)
        return SIZE_MAX;
    auto* childs = static_cast<double*>(shared);
    const pid_t child = fork();
    if (child == 0) {
        draw(childs);
        std::_Exit(0);
    }
    std::vector<double> parents(kDraws);
    draw(parents.data());
    int status = -1;
    if (child > 0)
        waitpid(child, &status, 0);
    std::set<double> seen(parents.begin(), parents.end());
    seen.insert(childs, childs + kDraws);
    munmap(shared, kDraws * sizeof(double));
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 2 * kDraws - seen.size() : SIZE_MAX;
}

// From here on, this process's system call `nr` fails with `error` when its
// third argument is `third`.
void Forbid(uint32_t nr, uint32_t third, uint32_t error)
{
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, nr, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, third, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | error),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog program { static_cast<unsigned short>(std::size(filter)), filter };
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 || prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0)
        std::_Exit(2);
}

}

// A child made by fork() draws values of its own, never what the parent had
// already read ahead from the system.
TEST(Rnd, AForkedChildAndItsParentNeverDrawTheSameValues)
{
    Rnd(); // the parent's buffer is full
    EXPECT_EQ(ValuesDrawnInBothAfterFork(), 0u);
}

TEST(RndDeathTest, OnAKernelWithoutWipeOnForkAForkedChildStillDrawsValuesOfItsOwn)
{
    auto fork_on_an_old_kernel = [] {
        Forbid(SYS_madvise, MADV_WIPEONFORK, EINVAL); // as on a kernel before Linux 4.14
        // A thread of its own: its buffer is made after the filter.
        size_t both = SIZE_MAX;
        std::thread([&both] {
            Rnd();
            both = ValuesDrawnInBothAfterFork();
        }).join();
        std::_Exit(both == 0 ? 0 : 1);
    };
    EXPECT_EXIT(fork_on_an_old_kernel(), ::testing::ExitedWithCode(0), "");
}

TEST(RndDeathTest, WithoutTheSystemsSourceSaysSoOnceAndStillDrawsFreshValuesOnEveryThread)
{
    auto draw_without_getrandom = [] {
        Forbid(SYS_getrandom, 0, ENOSYS); // as on a kernel without it; Rnd asks with no flags
        // Threads of their own: their buffers are filled after the source failed,
        // and refilled many times.
        std::vector<double> values(400'000);
        auto draw = [&values](size_t from) { std::generate_n(values.begin() + from, 200'000, [] { return Rnd(); }); };
        std::thread first(draw, 0), second(draw, 200'000);
        first.join();
        second.join();
        const bool in_range = std::ranges::all_of(values, [](double u) { return u >= 0 && u < 1; });
        std::_Exit(in_range && std::set<double>(values.begin(), values.end()).size() > 399'990 ? 0 : 1);
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
