#pragma once

#include "framework/Object.h"
#include "framework/Subclass.h"

#include <cstdint>
#include <memory>
#include <string>

namespace fw {

// A picture, loaded from the application's resources.
class Picture : public Subclass<Object, "Picture"> {
public:
    Picture();
    ~Picture() override;

    int32_t Width() const;
    int32_t Height() const;

    // 1: white pixels are drawn transparent. 0: the picture is drawn as it is.
    int32_t Transparent() const { return m_transparent; }
    void SetTransparent(int32_t transparent);

    class Impl;
    Impl& GetImpl() const { return *m_impl; }

private:
    std::unique_ptr<Impl> m_impl;
    int32_t m_transparent { 0 };
};

}
