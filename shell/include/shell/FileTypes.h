#pragma once

#include "framework/FileType.h"
#include "framework/Global.h"

// The program's one declared file type: plain text. Nothing uses it after start-up.
class FileTypes {
public:
    // Creates the type, sets its four properties, then registers it once.
    static void Initialize();

    static fw::Global<fw::FileType> pText;
};
