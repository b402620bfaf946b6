#pragma once

// The text the window benchmarks put into the random-order window.

#include <cstdint>
#include <iterator>
#include <random>
#include <string>

// n lines of about 20 bytes made of Danish words, separated by CRs. The same
// n gives the same text in every run.
inline std::string DanishLines(int64_t count)
{
    static const char* const words[] = { "æble", "rødgrød", "blåbær", "søster", "frø", "kørsel", "hus", "gård",
        "øl", "måne", "sol", "træ", "bøg", "skål", "fløde", "kål", "sø", "ærter", "hånd", "mælk" };
    std::mt19937 generator(1);
    std::string text;
    text.reserve(static_cast<size_t>(count) * 22);
    for (int64_t i = 0; i < count; ++i) {
        if (i)
            text += '\r';
        std::string line;
        while (line.size() < 18) {
            if (!line.empty())
                line += ' ';
            line += words[generator() % std::size(words)];
        }
        text += line;
    }
    return text;
}
