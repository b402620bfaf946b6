#pragma once

#include "framework/Control.h"
#include "framework/Subclass.h"

#include <functional>

namespace fw {

// A push button. The window's Default button is pressed by Return or Enter,
// its Cancel button by Escape, while they are enabled. A click leaves the
// keyboard focus where it was; Tab reaches the button, and with the focus
// Space or Return press it.
class PushButton : public Subclass<Control, "PushButton"> {
public:
    const std::string& Caption() const { return m_caption; }
    void SetCaption(std::string caption);
    bool IsDefault() const { return m_default; }
    bool IsCancel() const { return m_cancel; }
    const TextStyle& Style() const { return m_style; }

    // Presses the button as a click would: raises Action if it is enabled.
    void Push();

    std::function<void()> on_action;

    void SetProperty(std::string_view name, const PropertyValue& value) override;
    void CreateWidget(Window& window) override;

protected:
    std::string m_caption;
    bool m_default { false };
    bool m_cancel { false };
    TextStyle m_style;
};

}
