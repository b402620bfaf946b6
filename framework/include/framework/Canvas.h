#pragma once

#include "framework/Control.h"
#include "framework/Subclass.h"

#include <functional>
#include <memory>
#include <string>

namespace fw {

class Picture;

// A drawing area that shows its backdrop picture and reports the mouse.
// MouseUp is raised only after a MouseDown whose handler returned true,
// wherever the button is released.
class Canvas : public Subclass<Control, "Canvas"> {
public:
    ~Canvas() override;

    const std::shared_ptr<Picture>& Backdrop() const { return m_backdrop; }
    void SetBackdrop(std::shared_ptr<Picture> picture);

    std::function<bool(int32_t x, int32_t y)> on_mouse_down;
    std::function<void(int32_t x, int32_t y)> on_mouse_up;

    void SetProperty(std::string_view name, const PropertyValue& value) override;
    void CreateWidget(Window& window) override;

    // The name assistive technology gives it: its help tag, else its Name.
    std::string AccessibleName() const;

private:
    void ApplyLook();

    std::shared_ptr<Picture> m_backdrop;
    bool m_erase_background { true };
    bool m_accept_focus { false };
};

}
