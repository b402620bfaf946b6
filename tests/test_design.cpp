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

TEST(DesignList, RefusesAValueOfTheWrongKindOrAnUnknownName)
{
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
