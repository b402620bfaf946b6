#pragma once

// Framework-internal: type that shrinks until a text fits its box.

#include <QFont>
#include <QFontMetricsF>
#include <QRectF>
#include <QString>

#include <functional>

namespace fw {

// Where the ink of one line of text lies when drawn vertically centred in
// `box`, as a label or a button draws its one line.
QRectF LineInk(const QFontMetricsF& metrics, const QString& text, const QRectF& box);

// Whether one line of text, drawn vertically centred in `box`, shows whole:
// as wide as the box at most, its ink inside the box's height (large digits
// may stand in a box lower than their line, as long as no stroke is cut).
bool LineFits(const QFont& font, const QString& text, const QRectF& box);

// Whether text wrapped at word boundaries to the box's width takes no more
// lines than the box's height holds and no word is wider than the box.
bool WrappedFits(const QFont& font, const QString& text, const QRectF& box);

// `wanted`, or the largest smaller size of it (down to 6 points or pixels)
// with which `fits` holds, or the smallest.
QFont ShrunkToFit(const QFont& wanted, const std::function<bool(const QFont&)>& fits);

}
