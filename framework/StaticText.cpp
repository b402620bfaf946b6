#include "framework/StaticText.h"

#include "framework/Window.h"
#include "qt/ControlImpl.h"
#include "qt/FittingLabel.h"
#include "qt/WindowImpl.h"

namespace fw {

void StaticText::SetText(std::string text)
{
    m_text = std::move(text);
    if (auto* label = dynamic_cast<FittingLabel*>(m_impl->widget.data()))
        label->ShowText(m_text);
}

void StaticText::SetLabelFor(Control& control)
{
    control.GetImpl().label = m_impl->widget;
    const auto window = control.GetWindow();
    control.GetImpl().ApplyName(window ? window->Title() : std::string());
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
    m_impl->widget = new FittingLabel(window.GetImpl().Content(), m_text);
    ApplyCommon();
    ApplyLook();
}

void StaticText::ApplyLook()
{
    if (auto* label = dynamic_cast<FittingLabel*>(m_impl->widget.data()))
        label->SetLook({ .style = m_style, .text_align = m_text_align, .multiline = m_multiline, .text_color = m_text_color });
}

}
