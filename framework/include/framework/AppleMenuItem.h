#pragma once

#include "framework/MenuItem.h"

namespace fw {

// The application's About item. On this platform it stays in the menu it was appended to.
class AppleMenuItem : public MenuItem {
public:
    static const ClassRecord& Lookup();
    const ClassRecord& Class() const override { return Lookup(); }
};

}
