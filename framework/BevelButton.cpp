#include "framework/BevelButton.h"

#include <array>

namespace fw {

void BevelButton::SetProperty(std::string_view name, const PropertyValue& value)
{
    // The bevel, icon and menu properties are taken and left without effect:
    // the button is drawn as the platform's own push button.
    static constexpr std::array<std::string_view, 11> kept {
        "Bevel", "ButtonType", "CaptionAlign", "CaptionDelta", "CaptionPlacement", "HasMenu",
        "IconAlign", "IconDX", "IconDY", "MenuValue", "Value",
    };
    for (std::string_view bevel_name : kept)
        if (name == bevel_name)
            return;
    PushButton::SetProperty(name, value);
}

}
