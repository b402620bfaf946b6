#pragma once

// The line shuffle done the plain way, step by step: normalise with two
// ReplaceAll passes, count the items with CountFields, copy them into a
// 1-based array, then draw and remove with an array erase. Quadratic; the
// reference that the fast shuffle must match for every text and every
// sequence of random values.

#include "framework/Values.h"

#include <cassert>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace literal {

inline std::string Normalise(std::string_view text)
{
    const std::string lf = fw::Chr(10), cr = fw::Chr(13);
    return fw::ReplaceAll(fw::ReplaceAll(text, lf + cr, cr), lf, cr);
}

inline bool HasSeveralLines(std::string_view text)
{
    return 1 < fw::CountFields(Normalise(text), fw::Chr(13));
}

inline std::optional<std::string> ShuffleLines(std::string_view text, const std::function<double()>& rnd)
{
    const std::string working = Normalise(text);
    std::string result;
    const int32_t n = fw::CountFields(working, fw::Chr(13));
    if (!(1 < n))
        return std::nullopt;

    // Element k holds field k; element 0 is never used. The fields are cut in
    // one pass, which gives what NthField(working, CR, k) gives for k = 1..n.
    std::vector<std::string> items(1);
    for (size_t start = 0, cr = 0; cr != std::string::npos; start = cr + 1) {
        cr = working.find('\r', start);
        items.push_back(working.substr(start, cr == std::string::npos ? cr : cr - start));
    }
    assert(items.size() == static_cast<size_t>(n) + 1);

    for (int32_t i = n; i >= 1; --i) {
        const int32_t j = fw::ToInt32(fw::Floor(rnd() * static_cast<double>(i)) + 1.0);
        assert(1 <= j && j <= i);
        if (i < n)
            result += fw::Chr(13);
        result += items[static_cast<size_t>(j)];
        items.erase(items.begin() + j);
    }
    return result;
}

}
