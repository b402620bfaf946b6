#pragma once

#include "framework/EditField.h"
#include "framework/Subclass.h"

// The random-order window's text area: an edit field that enables Edit >
// Select All while it holds text not yet wholly selected. Its window
// registers EditSelectAll_Action as the field's handler of that item.
class cEditfield : public fw::Subclass<fw::EditField, "cEditfield"> {
public:
    cEditfield();

    virtual void Event_EnableMenuItems();
    virtual bool EditSelectAll_Action();
};
