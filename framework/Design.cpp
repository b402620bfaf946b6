#include "framework/Design.h"

#include "framework/Exceptions.h"

#include <array>
#include <limits>
#include <stdexcept>
#include <utility>

namespace fw {

namespace {

using K = PropertyKind;

// Every property a design list may name, with the kind of its value.
constexpr std::array<std::pair<std::string_view, PropertyKind>, 80> kProperties { {
    { "Alignment", K::Int32 }, { "Bevel", K::Int32 }, { "ButtonType", K::Int32 },
    { "CaptionAlign", K::Int32 }, { "CaptionDelta", K::Int32 }, { "CaptionPlacement", K::Int32 },
    { "Frame", K::Int32 }, { "HasMenu", K::Int32 }, { "Height", K::Int32 }, { "IconAlign", K::Int32 },
    { "IconDX", K::Int32 }, { "IconDY", K::Int32 }, { "Index", K::Int32 }, { "Left", K::Int32 },
    { "LimitText", K::Int32 }, { "MacProcID", K::Int32 }, { "MaxHeight", K::Int32 },
    { "MaxWidth", K::Int32 }, { "MenuValue", K::Int32 }, { "MinHeight", K::Int32 },
    { "MinWidth", K::Int32 }, { "Placement", K::Int32 }, { "TabIndex", K::Int32 },
    { "TabPanelIndex", K::Int32 }, { "TextAlign", K::Int32 }, { "TextSize", K::Int32 },
    { "Top", K::Int32 }, { "Width", K::Int32 },

    { "AcceptFocus", K::Boolean }, { "AcceptTabs", K::Boolean }, { "AutoDeactivate", K::Boolean },
    { "Bold", K::Boolean }, { "Border", K::Boolean }, { "Cancel", K::Boolean },
    { "CloseButton", K::Boolean }, { "Composite", K::Boolean }, { "Default", K::Boolean },
    { "Enabled", K::Boolean }, { "EraseBackground", K::Boolean }, { "FullScreen", K::Boolean },
    { "HasBackColor", K::Boolean }, { "Italic", K::Boolean }, { "LiveResize", K::Boolean },
    { "LockBottom", K::Boolean }, { "LockLeft", K::Boolean }, { "LockRight", K::Boolean },
    { "LockTop", K::Boolean }, { "MaximizeButton", K::Boolean }, { "MenuBarVisible", K::Boolean },
    { "MinimizeButton", K::Boolean }, { "MultiLine", K::Boolean }, { "Multiline", K::Boolean },
    { "Password", K::Boolean }, { "ReadOnly", K::Boolean }, { "Resizeable", K::Boolean },
    { "ScrollBar", K::Boolean }, { "ScrollBarHorizontal", K::Boolean },
    { "ScrollBarVertical", K::Boolean }, { "ScrollbarHorizontal", K::Boolean },
    { "ScrollbarVertical", K::Boolean }, { "Styled", K::Boolean }, { "Underline", K::Boolean },
    { "UseFocusRing", K::Boolean }, { "Value", K::Boolean }, { "Visible", K::Boolean },

    { "BackColor", K::Color }, { "TextColor", K::Color },

    { "BalloonHelp", K::String }, { "Caption", K::String }, { "DataField", K::String },
    { "DataSource", K::String }, { "DisabledBalloonHelp", K::String }, { "Format", K::String },
    { "HelpTag", K::String }, { "InitialParent", K::String }, { "Mask", K::String },
    { "Name", K::String }, { "Text", K::String }, { "TextFont", K::String }, { "Title", K::String },
} };

void AppendBigEndian(std::string& bytes, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes += static_cast<char>((value >> shift) & 0xFF);
}

uint32_t ReadBigEndian(std::string_view bytes, size_t at)
{
    uint32_t value = 0;
    for (size_t k = 0; k < 4; ++k)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + k]);
    return value;
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The bytes read as a name, fit for a message: other bytes escaped, long runs cut.
std::string Printable(std::string_view name)
{
    constexpr size_t kMost = 64;
    std::string text;
    for (char c : name.substr(0, kMost)) {
        auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
            text += c;
        } else {
            static constexpr char kHex[] = "0123456789ABCDEF";
            text += "\\x";
            text += kHex[byte >> 4];
            text += kHex[byte & 0xF];
        }
    }
    if (name.size() > kMost)
        text += "...";
    return text;
}

[[noreturn]] void Malformed(std::string_view name, size_t offset, const std::string& problem)
{
    throw DesignListException("design list: property \"" + Printable(name) + "\" at byte "
        + std::to_string(offset) + ": " + problem);
}

}

int32_t IntOf(const PropertyValue& value, int32_t fallback)
{
    if (const auto* number = std::get_if<int32_t>(&value))
        return *number;
    if (const auto* flag = std::get_if<bool>(&value))
        return *flag ? 1 : 0;
    return fallback;
}

bool BoolOf(const PropertyValue& value, bool fallback)
{
    if (const auto* flag = std::get_if<bool>(&value))
        return *flag;
    if (const auto* number = std::get_if<int32_t>(&value))
        return *number != 0;
    return fallback;
}

std::string StringOf(const PropertyValue& value)
{
    if (const auto* text = std::get_if<std::string>(&value))
        return *text;
    return { };
}

Rgb ColorOf(const PropertyValue& value, Rgb fallback)
{
    if (const auto* colour = std::get_if<Rgb>(&value))
        return *colour;
    return fallback;
}

bool KindOfProperty(std::string_view name, PropertyKind& kind)
{
    for (const auto& [known, known_kind] : kProperties) {
        if (known == name) {
            kind = known_kind;
            return true;
        }
    }
    return false;
}

std::string_view CanonicalPropertyName(std::string_view name)
{
    if (name == "Multiline")
        return "MultiLine";
    if (name == "ScrollbarVertical")
        return "ScrollBarVertical";
    if (name == "ScrollbarHorizontal")
        return "ScrollBarHorizontal";
    return name;
}

void Design::Name(std::string_view name, PropertyKind kind)
{
    PropertyKind known;
    if (!KindOfProperty(name, known))
        throw std::logic_error("design: unknown property \"" + std::string(name) + "\"");
    if (known != kind)
        throw std::logic_error("design: property \"" + std::string(name) + "\" written with the wrong kind");
    m_bytes.append(name);
    m_bytes += ' ';
}

Design& Design::Int(std::string_view name, int32_t value)
{
    Name(name, PropertyKind::Int32);
    AppendBigEndian(m_bytes, static_cast<uint32_t>(value));
    return *this;
}

Design& Design::Bool(std::string_view name, bool value)
{
    Name(name, PropertyKind::Boolean);
    m_bytes += value ? '\x01' : '\x00';
    return *this;
}

Design& Design::Color(std::string_view name, uint32_t rgb)
{
    Name(name, PropertyKind::Color);
    m_bytes += static_cast<char>((rgb >> 16) & 0xFF);
    m_bytes += static_cast<char>((rgb >> 8) & 0xFF);
    m_bytes += static_cast<char>(rgb & 0xFF);
    return *this;
}

Design& Design::Str(std::string_view name, std::string_view utf8)
{
    if (utf8.size() > std::numeric_limits<uint32_t>::max())
        throw std::logic_error("design: text of \"" + std::string(name) + "\" too long");
    Name(name, PropertyKind::String);
    AppendBigEndian(m_bytes, static_cast<uint32_t>(utf8.size()));
    m_bytes.append(utf8);
    return *this;
}

void SetProperties(PropertyTarget& target, const DesignList& list)
{
    const std::string_view bytes = list.Bytes();
    size_t at = 0;
    while (at < bytes.size()) {
        const size_t entry = at;
        const size_t blank = bytes.find(' ', at);
        if (blank == std::string_view::npos)
            Malformed(bytes.substr(at), entry, "no blank after the name");
        const std::string_view name = bytes.substr(at, blank - at);
        if (name.empty())
            Malformed(name, entry, "empty name");
        for (char c : name)
            if (!IsAsciiLetter(c))
                Malformed(name, entry, "name is not ASCII letters");
        PropertyKind kind;
        if (!KindOfProperty(name, kind))
            Malformed(name, entry, "unknown property");
        at = blank + 1;

        const size_t left = bytes.size() - at;
        PropertyValue value;
        switch (kind) {
        case PropertyKind::Int32:
            if (left < 4)
                Malformed(name, entry, "Int32 value cut short");
            value = static_cast<int32_t>(ReadBigEndian(bytes, at));
            at += 4;
            break;
        case PropertyKind::Boolean:
            if (left < 1)
                Malformed(name, entry, "Boolean value cut short");
            value = bytes[at] != 0;
            at += 1;
            break;
        case PropertyKind::Color:
            if (left < 3)
                Malformed(name, entry, "Color value cut short");
            value = Rgb { static_cast<uint8_t>(bytes[at]), static_cast<uint8_t>(bytes[at + 1]),
                static_cast<uint8_t>(bytes[at + 2]) };
            at += 3;
            break;
        case PropertyKind::String: {
            if (left < 4)
                Malformed(name, entry, "text length cut short");
            const size_t length = ReadBigEndian(bytes, at);
            if (length > left - 4)
                Malformed(name, entry, "text value cut short: " + std::to_string(length) + " bytes, "
                    + std::to_string(left - 4) + " left");
            value = std::string(bytes.substr(at + 4, length));
            at += 4 + length;
            break;
        }
        }
        target.SetProperty(CanonicalPropertyName(name), value);
    }
}

}
