#pragma once

#include "framework/MenuItem.h"
#include "framework/Subclass.h"

namespace fw {

// An item whose command quits the application (Quit(0)).
class QuitMenuItem : public Subclass<MenuItem, "QuitMenuItem"> {
public:
    bool HasDefaultAction() const override { return true; }
    void DefaultAction() override;
};

}
