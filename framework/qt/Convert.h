#pragma once

// Framework-internal: the framework's values as the toolkit's, and back.

#include "framework/Control.h"

#include <QColor>
#include <QFont>
#include <QString>

class QMimeData;

#include <string>

namespace fw {

// Every conversion of text between the framework and the toolkit goes through
// these two: they keep every character, a leading U+FEFF included.
QString ToQString(const std::string& utf8);
std::string FromQString(const QString& text);
// The text that a clipboard or a drag offers. Another program's UTF-8 is read
// as bytes: QMimeData::text() decodes it with QString::fromUtf8, which drops a
// leading U+FEFF. (A source that offers X11's UTF8_STRING alone loses it
// inside the toolkit, before the bytes reach us.)
QString TextOf(const QMimeData& data);

QColor ToQColor(Rgb colour);

// The font for a text style: "System" is the platform's default font,
// "SmallSystem" a smaller one, any other name that family; size 0 keeps the default size.
QFont FontFor(const TextStyle& style);

}
