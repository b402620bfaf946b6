#include "framework/Values.h"

#include <algorithm>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <limits>

namespace fw {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}

double Val(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';

    // Decimal exponent of the first significant digit, to tell overflow from
    // underflow when the value is out of range: a value below 1 can only underflow.
    const size_t start = i;
    int64_t digits = 0;
    int64_t magnitude = 0;
    bool significant = false;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
        significant = significant || text[i] != '0';
        if (significant)
            ++magnitude;
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
            if (!significant && text[i] == '0')
                --magnitude;
            significant = significant || text[i] != '0';
        }
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        bool negative_exponent = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            negative_exponent = text[j++] == '-';
        if (j < text.size() && IsDigit(text[j])) {
            int64_t exponent = 0;
            for (; j < text.size() && IsDigit(text[j]); ++j)
                exponent = std::min<int64_t>(exponent * 10 + (text[j] - '0'), int64_t { 1 } << 40);
            magnitude += negative_exponent ? -exponent : exponent;
            i = j;
        }
    }

    double value = 0;
    auto [end, error] = std::from_chars(text.data() + start, text.data() + i, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range)
        value = magnitude > 0 ? DBL_MAX : 0.0;
    else if (error != std::errc() || end != text.data() + i)
        return 0;
    return negative ? -value : value;
}

String Str(int32_t value)
{
    return std::to_string(value);
}

double Floor(double value)
{
    return std::floor(value);
}

int32_t ToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

namespace {

// Bytes of the well-formed UTF-8 sequence at i, or 1 for a byte that starts none.
size_t SequenceLength(std::string_view text, size_t i)
{
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1;
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;   // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;   // no overlong forms
        if (lead == 0xED)
            high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;  // nothing above U+10FFFF
    } else
        return 1;
    if (text.size() - i < length || byte(i + 1) < low || byte(i + 1) > high)
        return 1;
    for (size_t k = 2; k < length; ++k)
        if ((byte(i + k) & 0xC0) != 0x80)
            return 1;
    return length;
}

}

int32_t Len(std::string_view text)
{
    int64_t count = 0;
    for (size_t i = 0; i < text.size(); i += SequenceLength(text, i))
        ++count;
    return static_cast<int32_t>(std::min<int64_t>(count, std::numeric_limits<int32_t>::max()));
}

String Chr(uint32_t code)
{
    // A surrogate or a value beyond Unicode has no UTF-8 form: it gives the replacement character.
    if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        code = 0xFFFD;
    String text;
    if (code < 0x80) {
        text += static_cast<char>(code);
    } else if (code < 0x800) {
        text += static_cast<char>(0xC0 | (code >> 6));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        text += static_cast<char>(0xE0 | (code >> 12));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (code >> 18));
        text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    }
    return text;
}

String ReplaceAll(std::string_view source, std::string_view find, std::string_view replacement)
{
    if (find.empty())
        return String(source);
    String result;
    result.reserve(source.size());
    size_t from = 0;
    for (size_t at; (at = source.find(find, from)) != std::string_view::npos; from = at + find.size()) {
        result.append(source, from, at - from);
        result.append(replacement);
    }
    result.append(source, from);
    return result;
}

int32_t CountFields(std::string_view text, std::string_view separator)
{
    if (text.empty())
        return 0;
    if (separator.empty())
        return 1;
    int64_t fields = 1;
    for (size_t at = text.find(separator); at != std::string_view::npos; at = text.find(separator, at + separator.size()))
        ++fields;
    return static_cast<int32_t>(std::min<int64_t>(fields, std::numeric_limits<int32_t>::max()));
}

String NthField(std::string_view text, std::string_view separator, int32_t n)
{
    if (n < 1 || text.empty())
        return {};
    if (separator.empty())
        return n == 1 ? String(text) : String();
    size_t start = 0;
    for (int32_t field = 1; field < n; ++field) {
        size_t at = text.find(separator, start);
        if (at == std::string_view::npos)
            return {};
        start = at + separator.size();
    }
    return String(text.substr(start, text.find(separator, start) - start));
}

}
