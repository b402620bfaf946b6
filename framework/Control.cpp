#include "framework/Control.h"

#include "framework/Window.h"
#include "qt/ControlImpl.h"
#include "qt/Convert.h"

#include <algorithm>

namespace fw {

Control::Control()
    : m_impl(std::make_unique<Impl>())
{
}

Control::~Control() = default;

std::shared_ptr<Window> Control::GetWindow() const
{
    return m_window.lock();
}

void Control::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    if (m_impl->widget)
        m_impl->widget->setEnabled(enabled);
}

void Control::SetVisible(bool visible)
{
    m_visible = visible;
    if (m_impl->widget)
        m_impl->widget->setVisible(visible);
}

void Control::ApplyGeometry()
{
    // A negative size is kept as given (the program may compute one) but drawn as empty.
    if (m_impl->widget)
        m_impl->widget->setGeometry(m_left, m_top, std::max(0, m_width), std::max(0, m_height));
}

void Control::ApplyCommon()
{
    QWidget* widget = m_impl->widget;
    if (!widget)
        return;
    ApplyGeometry();
    widget->setEnabled(m_enabled);
    widget->setToolTip(ToQString(m_help_tag));
    widget->setVisible(m_visible);
    const auto window = GetWindow();
    m_impl->ApplyName(window ? window->Title() : std::string());
    m_impl->FitCaption();
}

void Control::FollowLocks(int32_t dx, int32_t dy)
{
    // Both edges locked: the control stretches. The far edge alone: it moves.
    // The near edge alone, or neither: it stays.
    if (m_lock_left && m_lock_right)
        m_width += dx;
    else if (m_lock_right)
        m_left += dx;
    if (m_lock_top && m_lock_bottom)
        m_height += dy;
    else if (m_lock_bottom)
        m_top += dy;
    ApplyGeometry();
}

void Control::SetProperty(std::string_view name, const PropertyValue& value)
{
    if (name == "Left")
        SetLeft(IntOf(value, m_left));
    else if (name == "Top")
        SetTop(IntOf(value, m_top));
    else if (name == "Width")
        SetWidth(IntOf(value, m_width));
    else if (name == "Height")
        SetHeight(IntOf(value, m_height));
    else if (name == "Enabled")
        SetEnabled(BoolOf(value, m_enabled));
    else if (name == "Visible")
        SetVisible(BoolOf(value, m_visible));
    else if (name == "LockLeft")
        m_lock_left = BoolOf(value);
    else if (name == "LockTop")
        m_lock_top = BoolOf(value);
    else if (name == "LockRight")
        m_lock_right = BoolOf(value);
    else if (name == "LockBottom")
        m_lock_bottom = BoolOf(value);
    else if (name == "HelpTag") {
        m_help_tag = StringOf(value);
        if (m_impl->widget)
            m_impl->widget->setToolTip(ToQString(m_help_tag));
    } else if (name == "Name")
        m_name = StringOf(value);
    // TabIndex (creation order is the tab order), TabPanelIndex, Index,
    // InitialParent, AutoDeactivate, BalloonHelp, DisabledBalloonHelp,
    // DataField and DataSource have no effect on this platform.
}

bool TextStyle::Apply(std::string_view name, const PropertyValue& value)
{
    if (name == "TextFont")
        font = StringOf(value);
    else if (name == "TextSize")
        size = IntOf(value);
    else if (name == "Bold")
        bold = BoolOf(value);
    else if (name == "Italic")
        italic = BoolOf(value);
    else if (name == "Underline")
        underline = BoolOf(value);
    else
        return false;
    return true;
}

}
