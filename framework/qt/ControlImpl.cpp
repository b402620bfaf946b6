#include "framework/qt/ControlImpl.h"

#include <QApplication>

namespace fw {

Control::Impl::~Impl()
{
    // The connections go first: a dying widget may still emit signals.
    receiver.reset();
    delete widget.data();
}

void Control::Impl::DropWidget()
{
    receiver = std::make_unique<QObject>();
    delete widget.data();
    widget = nullptr;
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

QString ToQString(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string FromQString(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

int32_t IntOf(const PropertyValue& value, int32_t fallback)
{
    if (const auto* number = std::get_if<int32_t>(&value))
        return *number;
    if (const auto* flag = std::get_if<bool>(&value))
        return *flag ? 1 : 0;
    return fallback;
}

bool BoolOf(const PropertyValue& value, bool fallback)
{
    if (const auto* flag = std::get_if<bool>(&value))
        return *flag;
    if (const auto* number = std::get_if<int32_t>(&value))
        return *number != 0;
    return fallback;
}

std::string StringOf(const PropertyValue& value)
{
    if (const auto* text = std::get_if<std::string>(&value))
        return *text;
    return { };
}

Rgb ColorOf(const PropertyValue& value, Rgb fallback)
{
    if (const auto* colour = std::get_if<Rgb>(&value))
        return *colour;
    return fallback;
}

}
