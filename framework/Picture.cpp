#include "framework/Picture.h"

#include "qt/PictureImpl.h"

namespace fw {

Picture::Picture()
    : m_impl(std::make_unique<Impl>())
{
}

Picture::~Picture() = default;

int32_t Picture::Width() const
{
    return m_impl->image.width();
}

int32_t Picture::Height() const
{
    return m_impl->image.height();
}

void Picture::SetTransparent(int32_t transparent)
{
    m_transparent = transparent;
    m_impl->SetTransparent(transparent == 1);
}

}
