#include "qt/Convert.h"

#include <QApplication>
#include <QMimeData>
#include <QStringDecoder>

#include <algorithm>

namespace fw {

namespace {

// QString::fromUtf8 drops a byte-order mark at the start; a text's first
// character is the user's, whatever it is.
QString FromUtf8(QByteArrayView utf8)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(utf8);
}

}

QString ToQString(const std::string& utf8)
{
    return FromUtf8(QByteArrayView(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

std::string FromQString(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QString TextOf(const QMimeData& data)
{
    static const QString utf8 = QStringLiteral("text/plain;charset=utf-8");
    return data.hasFormat(utf8) ? FromUtf8(data.data(utf8)) : data.text();
}

QColor ToQColor(Rgb colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

QFont FontFor(const TextStyle& style)
{
    QFont font = QApplication::font();
    if (style.font == "SmallSystem") {
        if (font.pointSizeF() > 0)
            font.setPointSizeF(std::max(1.0, font.pointSizeF() - 2));
        else if (font.pixelSize() > 0)
            font.setPixelSize(std::max(1, font.pixelSize() - 2));
    } else if (!style.font.empty() && style.font != "System") {
        font.setFamily(ToQString(style.font));
    }
    if (style.size > 0)
        font.setPointSize(style.size);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    return font;
}

}
