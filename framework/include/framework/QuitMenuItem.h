#pragma once

#include "framework/MenuItem.h"

namespace fw {

// An item whose command quits the application (Quit(0)).
class QuitMenuItem : public MenuItem {
public:
    static const ClassRecord& Lookup();
    const ClassRecord& Class() const override { return Lookup(); }

    bool HasDefaultAction() const override { return true; }
    void DefaultAction() override;
};

}
