#pragma once

// The random-order window's work on its text: line breaks of every form are
// made into CR, the text is split into items at each CR, and the items are
// drawn one by one from those that remain.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// True exactly when the normalised text has more than one CR-separated item,
// that is when the text holds a line break of any form. Scans; copies nothing.
bool HasSeveralLines(std::string_view text);

// The draw-and-remove shuffle of the text's items after normalising: for
// i = n down to 1, j = ToInt32(Floor(rnd() * double(i)) + 1.0), and item j of
// those remaining (in text order) is appended, preceded by a CR except the
// first drawn. Calls rnd exactly n times. A j outside 1..i (an rnd that breaks
// its [0, 1) promise, NaN included) is clamped into 1..i.
// Returns std::nullopt when there are fewer than two items; the caller then
// writes nothing back.
// `stopped` is asked now and then during the draws (every 65,536 draws);
// once it answers true the shuffle ends early and returns std::nullopt.
std::optional<std::string> ShuffleLines(std::string_view text, const std::function<double()>& rnd, const std::function<bool()>& stopped = {});

// The same draws, without joining: `take` gets the items in the order drawn,
// a batch at a time, as views into `text` (no item holds a CR or LF). Calls
// rnd exactly n times. With fewer than two items it calls neither rnd nor
// take, and returns false.
bool DrawLines(std::string_view text, const std::function<double()>& rnd,
    const std::function<void(std::span<const std::string_view>)>& take);
