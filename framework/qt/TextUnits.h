#pragma once

// Framework-internal: the framework counts characters (code points), the
// toolkit UTF-16 units, two for a character outside the Basic Multilingual
// Plane; and the forms a line break takes in text that comes in.

#include <QString>

#include <cstdint>

namespace fw {

// Characters in the first `units` units of the text. A unit counts unless it
// is the low half of a surrogate pair.
int64_t CharsIn(QStringView text, qsizetype units);
// Units taken by the first `chars` characters of the text, or all of it.
qsizetype UnitsFor(QStringView text, int64_t chars);
// The first `chars` characters of the text, or all of it.
QString FirstChars(const QString& text, int64_t chars);

// Characters that may still go into a field of at most `limit` characters
// (0: no limit) holding `length`, in place of `selected` of them.
int64_t RoomFor(int32_t limit, int64_t length, int64_t selected);

// Every line break as one LF: CR LF and LF CR are one line break each, a lone
// CR or LF one, and so are the line and paragraph separators U+2028 and U+2029.
QString WithLineFeeds(QString text);
// The text without its line breaks (of every form above): one line.
QString WithoutLineBreaks(QString text);
// The text as a multi-line field of at most `limit` characters (0: no limit)
// shows it: line breaks as LFs, cut at the limit.
QString ShownInArea(const QString& text, int32_t limit);

}
