#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace fw {

// Texts are UTF-8 byte strings; lengths and positions the user sees count characters.
using String = std::string;

// A uniform Double in [0, 1) with 53 random bits that cannot be predicted,
// straight from the operating system's random source (framework/Random.cpp).
// Safe on any thread, and across fork(): parent and child never draw the same.
double Rnd();

// Tests substitute a source of their own, for every thread at once; an empty
// function restores the system's. The source must not call Rnd.
void SetRndSource(std::function<double()> source);

// The decimal number at the start of the text (after blanks and tabs: sign,
// digits, fraction, exponent), or 0 where there is none. Never NaN, never
// infinite, never hexadecimal: a magnitude beyond the Double range gives the
// largest finite Double of that sign.
double Val(std::string_view text);

// The decimal text of an Int32.
String Str(int32_t value);

double Floor(double value);

// Double to Int32, defined for every Double: towards zero, saturating at the
// Int32 bounds, NaN giving 0.
int32_t ToInt32(double value);

// Length in characters (Unicode code points), not bytes.
int32_t Len(std::string_view text);

// The one-character text of a code point, in UTF-8.
String Chr(uint32_t code);

// Every occurrence of `find`, left to right, replaced once; the replacement is not searched again.
String ReplaceAll(std::string_view source, std::string_view find, std::string_view replacement);

// Fields of the text split at the separator, empty fields included; the empty text has none.
int32_t CountFields(std::string_view text, std::string_view separator);

// Field n (from 1) of that split; empty when there is no such field.
String NthField(std::string_view text, std::string_view separator, int32_t n);

}
