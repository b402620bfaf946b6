#include "framework/StaticText.h"

#include "framework/Window.h"
#include "qt/ControlImpl.h"
#include "qt/Convert.h"
#include "qt/FittingLabel.h"
#include "qt/WindowImpl.h"

namespace fw {

void StaticText::SetText(std::string text)
{
    m_text = std::move(text);
    if (auto* label = dynamic_cast<FittingLabel*>(m_impl->widget.data())) {
        label->setText(ToQString(m_text));
        label->Refit();
    }
}

void StaticText::SetProperty(std::string_view name, const PropertyValue& value)
{
    if (m_style.Apply(name, value) || TakeLookProperty(name, value))
        ApplyLook();
    else if (name == "Text")
        SetText(StringOf(value));
    else
        Control::SetProperty(name, value);
}

bool StaticText::TakeLookProperty(std::string_view name, const PropertyValue& value)
{
    if (name == "TextAlign")
        m_text_align = IntOf(value);
    else if (name == "MultiLine")
        m_multiline = BoolOf(value);
    else if (name == "TextColor")
        m_text_color = ColorOf(value);
    else
        return false;
    return true;
}

void StaticText::CreateWidget(Window& window)
{
    auto* label = new FittingLabel(window.GetImpl().Content());
    // The text is shown as it is, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(ToQString(m_text));
    m_impl->widget = label;
    ApplyCommon();
    ApplyLook();
}

void StaticText::ApplyLook()
{
    auto* label = dynamic_cast<FittingLabel*>(m_impl->widget.data());
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
    palette.setColor(QPalette::WindowText, ToQColor(m_text_color));
    label->setPalette(palette);
}

}
