#pragma once

#include "framework/Global.h"
#include "framework/Picture.h"

#include <memory>

// The program's 64 x 64 picture (resource id 168), loaded on first use and
// shared by the launcher and the About window.
class Hapsavibillede64x64 {
public:
    // The cached picture; loads it (and makes it transparent) when the cache
    // is nil. Raises NilObjectException when it cannot be loaded; a failed
    // load leaves the cache nil, so the next call tries again.
    static std::shared_ptr<fw::Picture> Get();

    static fw::Global<fw::Picture> _permapic;
};
