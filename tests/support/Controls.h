#pragma once

// The tool windows' controls that tests drive, found by their names.

#include "framework/EditField.h"
#include "framework/PushButton.h"
#include "framework/StaticText.h"
#include "framework/WindowClass.h"
#include "tools/cEditfield.h"

#include <string>

namespace harness {

inline fw::EditField& MinTal(fw::Window& w) { return fw::ControlAs<fw::EditField>(w, "MinTal"); }
inline fw::EditField& MaxTal(fw::Window& w) { return fw::ControlAs<fw::EditField>(w, "MaxTal"); }
inline fw::PushButton& Knap(fw::Window& w) { return fw::ControlAs<fw::PushButton>(w, "Knap"); }
inline std::string Tal(fw::Window& w) { return fw::ControlAs<fw::StaticText>(w, "Tal").Text(); }
inline cEditfield& Tekstfelt(fw::Window& w) { return fw::ControlAs<cEditfield>(w, "Tekstfelt"); }
inline fw::PushButton& TilfaeldigRaekkefoelge(fw::Window& w) { return fw::ControlAs<fw::PushButton>(w, "TilfaeldigRaekkefoelge"); }

}
