#pragma once

// Framework-internal: the toolkit side of a picture.

#include "framework/Picture.h"

#include <QImage>

namespace fw {

class Picture::Impl {
public:
    // The picture as loaded.
    QImage image;

    // The picture as it is drawn: with Transparent 1, its pure white pixels are clear.
    const QImage& Shown() const { return m_transparent ? m_shown : image; }

    void SetTransparent(bool transparent)
    {
        m_transparent = transparent;
        if (!transparent) {
            m_shown = QImage();
            return;
        }
        m_shown = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < m_shown.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(m_shown.scanLine(y));
            for (int x = 0; x < m_shown.width(); ++x)
                if ((line[x] & 0x00FFFFFFu) == 0x00FFFFFFu)
                    line[x] = 0;
        }
    }

private:
    bool m_transparent { false };
    QImage m_shown;
};

}
