#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace fw {

struct Rgb {
    uint8_t red { 0 };
    uint8_t green { 0 };
    uint8_t blue { 0 };
    bool operator==(const Rgb&) const = default;
};

using PropertyValue = std::variant<int32_t, bool, Rgb, std::string>;

// Property values read leniently: a value of another kind gives the fallback.
int32_t IntOf(const PropertyValue& value, int32_t fallback = 0);
bool BoolOf(const PropertyValue& value, bool fallback = false);
std::string StringOf(const PropertyValue& value);
Rgb ColorOf(const PropertyValue& value, Rgb fallback = { });

enum class PropertyKind { Int32, Boolean, Color, String };

// The kind of a design property, known by its name alone; false for a name the framework does not know.
bool KindOfProperty(std::string_view name, PropertyKind& kind);

// The one spelling under which a target receives a property ("Multiline"
// and "MultiLine" are the same property, and so on).
std::string_view CanonicalPropertyName(std::string_view name);

// A design property list in its stored form: entries of name, one blank,
// and the value encoded by the name's kind (Int32 big-endian, Boolean one
// byte, Color three bytes, String a big-endian byte count and UTF-8 bytes).
class DesignList {
public:
    DesignList() = default;
    explicit DesignList(std::string bytes) : m_bytes(std::move(bytes)) { }
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

// Writes a design list as a readable table, one row per property, in stored order.
// A row whose kind does not match its name's kind is a programming error (std::logic_error).
class Design {
public:
    Design& Int(std::string_view name, int32_t value);
    Design& Bool(std::string_view name, bool value);
    Design& Color(std::string_view name, uint32_t rgb);
    Design& Str(std::string_view name, std::string_view utf8);

    operator DesignList() const { return DesignList(m_bytes); }

private:
    void Name(std::string_view name, PropertyKind kind);
    std::string m_bytes;
};

// Anything a design list can configure.
class PropertyTarget {
public:
    virtual ~PropertyTarget() = default;
    // Receives properties under their canonical names; a target ignores
    // names that mean nothing to it.
    virtual void SetProperty(std::string_view name, const PropertyValue& value) = 0;
};

// Applies every entry of the list to the target, in stored order. A list cut
// short or naming an unknown property raises DesignListException naming the
// property and the byte offset; nothing is read past the end.
void SetProperties(PropertyTarget& target, const DesignList& list);

}
