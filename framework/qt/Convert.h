#pragma once

// Framework-internal: the framework's values as the toolkit's, and back.

#include "framework/Control.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <string>

namespace fw {

// Every conversion of text between the framework and the toolkit goes through
// these two: they keep every character, a leading U+FEFF included.
QString ToQString(const std::string& utf8);
std::string FromQString(const QString& text);

QColor ToQColor(Rgb colour);

// The font for a text style: "System" is the platform's default font,
// "SmallSystem" a smaller one, any other name that family; size 0 keeps the default size.
QFont FontFor(const TextStyle& style);

}
