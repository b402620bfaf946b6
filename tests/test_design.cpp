#include "framework/Design.h"
#include "framework/Exceptions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using namespace fw;

namespace {

std::string Bytes(std::initializer_list<int> bytes)
{
    std::string text;
    for (int byte : bytes)
        text += static_cast<char>(byte);
    return text;
}

struct Recorder : PropertyTarget {
    std::vector<std::pair<std::string, PropertyValue>> seen;
    void SetProperty(std::string_view name, const PropertyValue& value) override { seen.emplace_back(name, value); }
};

// Reads the list; returns the exception's message, or "" when the list was read to its end.
std::string ReadInto(Recorder& target, const std::string& bytes)
{
    try {
        SetProperties(target, DesignList(bytes));
    } catch (const DesignListException& error) {
        return error.what();
    }
    return {};
}

std::string Encoded(const Design& design) { return DesignList(design).Bytes(); }

const std::string kTitleText = "Tilf\xC3\xA6ldigt tal";

}

TEST(DesignList, EncodesTheStoredBytesOfTheRandomNumberWindow)
{
    const DesignList window = Design {}.Int("Placement", 2).Str("Title", kTitleText);
    EXPECT_EQ(window.Bytes(),
        Bytes({ 0x50, 0x6C, 0x61, 0x63, 0x65, 0x6D, 0x65, 0x6E, 0x74, 0x20, 0x00, 0x00, 0x00, 0x02 })
            + Bytes({ 0x54, 0x69, 0x74, 0x6C, 0x65, 0x20, 0x00, 0x00, 0x00, 0x0F }) + kTitleText);
    EXPECT_EQ(kTitleText.size(), 15u);

    const DesignList tal = Design {}.Int("Index", INT32_MIN).Str("Name", "Tal");
    EXPECT_EQ(tal.Bytes(),
        Bytes({ 0x49, 0x6E, 0x64, 0x65, 0x78, 0x20, 0x80, 0x00, 0x00, 0x00,
            0x4E, 0x61, 0x6D, 0x65, 0x20, 0x00, 0x00, 0x00, 0x03, 0x54, 0x61, 0x6C }));
}

TEST(DesignList, EncodesNegativesBooleansColoursAndEmptyTextAndRefusesAWrongKind)
{
    EXPECT_EQ(Encoded(Design {}.Int("Top", -1)), "Top " + Bytes({ 0xFF, 0xFF, 0xFF, 0xFF }));
    EXPECT_EQ(Encoded(Design {}.Str("HelpTag", "")), "HelpTag " + Bytes({ 0, 0, 0, 0 }));
    EXPECT_EQ(Encoded(Design {}.Bool("Visible", true).Color("BackColor", 0xFF8001)),
        "Visible " + Bytes({ 1 }) + "BackColor " + Bytes({ 0xFF, 0x80, 0x01 }));
    EXPECT_THROW(Design {}.Bool("HasMenu", false), std::logic_error);   // an Int32 on a bevel button
    EXPECT_THROW(Design {}.Int("Value", 0), std::logic_error);          // a Boolean on a bevel button
    EXPECT_THROW(Design {}.Bool("Scrollbar", true), std::logic_error);  // no such name
}

TEST(DesignList, ReadingGivesBackEveryEntryInStoredOrder)
{
    const DesignList list = Design {}
                                .Int("Placement", 2)
                                .Int("Top", -1)
                                .Str("Title", kTitleText)
                                .Bool("Visible", true)
                                .Color("TextColor", 0x102030)
                                .Bool("Value", false)
                                .Int("HasMenu", 0)
                                .Str("HelpTag", "")
                                .Int("Index", INT32_MIN)
                                .Str("Name", "Tal");
    Recorder target;
    ASSERT_EQ(ReadInto(target, list.Bytes()), "");
    const std::vector<std::pair<std::string, PropertyValue>> expected {
        { "Placement", int32_t { 2 } }, { "Top", int32_t { -1 } }, { "Title", kTitleText },
        { "Visible", true }, { "TextColor", Rgb { 0x10, 0x20, 0x30 } }, { "Value", false },
        { "HasMenu", int32_t { 0 } }, { "HelpTag", std::string() }, { "Index", INT32_MIN },
        { "Name", std::string("Tal") },
    };
    EXPECT_EQ(target.seen, expected);
}

TEST(DesignList, BothSpellingsReachOneProperty)
{
    Recorder target;
    const DesignList list = Design {}
                                .Bool("Multiline", true)
                                .Bool("MultiLine", false)
                                .Bool("ScrollbarVertical", true)
                                .Bool("ScrollBarVertical", true)
                                .Bool("ScrollbarHorizontal", false)
                                .Bool("ScrollBarHorizontal", false)
                                .Bool("ScrollBar", true);
    ASSERT_EQ(ReadInto(target, list.Bytes()), "");
    std::vector<std::string> names;
    for (const auto& entry : target.seen)
        names.push_back(entry.first);
    EXPECT_EQ(names, (std::vector<std::string> { "MultiLine", "MultiLine", "ScrollBarVertical", "ScrollBarVertical",
                         "ScrollBarHorizontal", "ScrollBarHorizontal", "ScrollBar" }));
}

TEST(DesignList, MalformedListNamesThePropertyAndOffsetAndKeepsEarlierEntries)
{
    // "Placement" takes bytes 0 to 13, so the second entry starts at byte 14.
    const std::string head = Encoded(Design {}.Int("Placement", 2));
    const std::string title = Encoded(Design {}.Str("Title", kTitleText));
    const struct {
        std::string tail;
        std::string message_part;
    } cases[] = {
        { "Tit", "property \"Tit\" at byte 14" },                          // cut inside the name
        { "Title", "property \"Title\" at byte 14" },                      // no blank after the name
        { title.substr(0, 8), "property \"Title\" at byte 14" },          // cut inside the length
        { title.substr(0, title.size() - 1), "property \"Title\" at byte 14" },
        { "Title " + Bytes({ 0xFF, 0xFF, 0xFF, 0xFF }) + "abc", "property \"Title\" at byte 14" },
        { "Top " + Bytes({ 0xFF, 0xFF }), "property \"Top\" at byte 14" },
        { "Visible ", "property \"Visible\" at byte 14" },
        { "BackColor " + Bytes({ 1, 2 }), "property \"BackColor\" at byte 14" },
        { "Colour " + Bytes({ 1, 2, 3 }), "property \"Colour\" at byte 14" }, // unknown name
        { "Ti\xC3\xA6le " + Bytes({ 0, 0, 0, 0 }), "property \"Ti\\xC3\\xA6le\" at byte 14" },
        { " " + Bytes({ 0 }), "property \"\" at byte 14" },
    };
    for (const auto& bad : cases) {
        Recorder target;
        const std::string message = ReadInto(target, head + bad.tail);
        EXPECT_NE(message.find("design list: " + bad.message_part), std::string::npos) << message;
        ASSERT_EQ(target.seen.size(), 1u) << message;
        EXPECT_EQ(target.seen[0].first, "Placement");
    }
}
