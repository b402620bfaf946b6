#pragma once

#include "framework/MenuItem.h"
#include "framework/Subclass.h"

namespace fw {

// The application's About item. On this platform it stays in the menu it was appended to.
class AppleMenuItem : public Subclass<MenuItem, "AppleMenuItem"> { };

}
