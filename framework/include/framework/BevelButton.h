#pragma once

#include "framework/PushButton.h"

namespace fw {

// A bevelled command button. Its bevel, icon and menu properties are taken
// without effect: it is drawn as the platform's own push button.
class BevelButton : public PushButton {
public:
    static const ClassRecord& Lookup();
    const ClassRecord& Class() const override { return Lookup(); }
};

}
