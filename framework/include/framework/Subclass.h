#pragma once

#include "framework/ClassRecord.h"

#include <algorithm>
#include <cstddef>

namespace fw {

// A class's qualified name as a template argument.
template<std::size_t N>
struct ClassName {
    constexpr ClassName(const char (&name)[N]) { std::copy_n(name, N, text); }
    char text[N] { };
};

// Gives a class derived from Base its record, named `name`:
//
//     class MenuBar1 : public fw::Subclass<fw::MenuBar, "MenuBar1.MenuBar1"> { ... };
//
// Lookup() builds the record on first use; ctblinit() registers the class.
template<class Base, ClassName name>
class Subclass : public Base {
public:
    static const ClassRecord& Lookup()
    {
        static const ClassRecord record(name.text, &Base::Lookup());
        return record;
    }
    const ClassRecord& Class() const override { return Lookup(); }
    static void ctblinit() { Lookup(); }
};

}
