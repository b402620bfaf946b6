#pragma once

#include "framework/EditField.h"

// The random-order window's text area: an edit field that enables Edit >
// Select All while it holds text not yet wholly selected. Its window
// registers EditSelectAll_Action as the field's handler of that item.
class cEditfield : public fw::EditField {
public:
    static const fw::ClassRecord& Lookup();
    const fw::ClassRecord& Class() const override { return Lookup(); }
    static void ctblinit() { Lookup(); }

    cEditfield();

    virtual void Event_EnableMenuItems();
    virtual bool EditSelectAll_Action();
};
