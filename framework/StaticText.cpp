#include "framework/StaticText.h"

#include "framework/Window.h"
#include "framework/qt/ControlImpl.h"
#include "framework/qt/WindowImpl.h"

#include <QLabel>

#include <algorithm>

namespace fw {

namespace {

// A label whose one line of text keeps to its box: where the text is wider
// than the label, its type shrinks until the whole text shows (a drawn number
// must never be cut off). Wrapped text keeps its size.
class Label : public QLabel {
public:
    using QLabel::QLabel;

    void SetLook(const QFont& font, bool single_line)
    {
        m_font = font;
        m_single_line = single_line;
        Refit();
    }

    void Refit()
    {
        QFont font = m_font;
        if (m_single_line && !text().isEmpty() && width() > 0) {
            const bool points = font.pointSizeF() > 0;
            qreal size = points ? font.pointSizeF() : font.pixelSize();
            while (size > 6 && QFontMetricsF(font).horizontalAdvance(text()) > width()) {
                size = std::max<qreal>(6, size * 0.95);
                if (points)
                    font.setPointSizeF(size);
                else
                    font.setPixelSize(static_cast<int>(size));
            }
        }
        if (this->font() != font)
            setFont(font);
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QLabel::resizeEvent(event);
        Refit();
    }

private:
    QFont m_font;
    bool m_single_line { true };
};

}

void StaticText::SetText(std::string text)
{
    m_text = std::move(text);
    if (auto* label = dynamic_cast<Label*>(m_impl->widget.data())) {
        label->setText(ToQString(m_text));
        label->Refit();
    }
}

void StaticText::SetProperty(std::string_view name, const PropertyValue& value)
{
    if (m_style.Apply(name, value)) {
        ApplyLook();
        return;
    }
    if (name == "Text")
        SetText(StringOf(value));
    else if (name == "TextAlign") {
        m_text_align = IntOf(value);
        ApplyLook();
    } else if (name == "MultiLine") {
        m_multiline = BoolOf(value);
        ApplyLook();
    } else if (name == "TextColor") {
        m_text_color = ColorOf(value);
        ApplyLook();
    } else
        Control::SetProperty(name, value);
}

void StaticText::CreateWidget(Window& window)
{
    auto* label = new Label(window.GetImpl().Content());
    // The text is shown as it is, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(ToQString(m_text));
    m_impl->widget = label;
    ApplyCommon();
    ApplyLook();
}

void StaticText::ApplyLook()
{
    auto* label = dynamic_cast<Label*>(m_impl->widget.data());
    if (!label)
        return;
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (m_text_align == 1)
        horizontal = Qt::AlignHCenter;
    else if (m_text_align == 2)
        horizontal = Qt::AlignRight;
    // One line sits in the middle of its box, so large type shows whole.
    label->setAlignment(horizontal | (m_multiline ? Qt::AlignTop : Qt::AlignVCenter));
    label->setWordWrap(m_multiline);
    label->SetLook(FontFor(m_style), !m_multiline);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(m_text_color.red, m_text_color.green, m_text_color.blue));
    label->setPalette(palette);
}

}
