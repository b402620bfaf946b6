#pragma once

#include "framework/Control.h"
#include "framework/Subclass.h"

namespace fw {

// A label: one line, or wrapped over several with Multiline.
class StaticText : public Subclass<Control, "StaticText"> {
public:
    const std::string& Text() const { return m_text; }
    void SetText(std::string text);
    // 0 left, 1 centre, 2 right.
    const TextStyle& Style() const { return m_style; }
    // The label names `control` (a text field) to assistive technology, as
    // the label before a field does on screen.
    void SetLabelFor(Control& control);

    void SetProperty(std::string_view name, const PropertyValue& value) override;
    void CreateWidget(Window& window) override;

private:
    // Takes the property if it changes only how the label looks (then ApplyLook shows it).
    bool TakeLookProperty(std::string_view name, const PropertyValue& value);
    void ApplyLook();

    std::string m_text;
    int32_t m_text_align { 0 };
    bool m_multiline { false };
    Rgb m_text_color { };
    TextStyle m_style;
};

}
