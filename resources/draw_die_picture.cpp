// Draws the program's 64 x 64 picture: an ivory die showing five, on a white
// ground that the program draws transparent; and, where asked, the same die
// on a clear ground as the program's icon for the desktop.

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: draw_die_picture OUTPUT.png [ICON.png]\n");
        return 2;
    }
    QGuiApplication app(argc, argv);

    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // Shadow, then the body.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(150, 140, 120));
    painter.drawRoundedRect(QRectF(8, 9, 51, 51), 10, 10);
    QLinearGradient body(0, 4, 0, 58);
    body.setColorAt(0, QColor(252, 246, 228));
    body.setColorAt(1, QColor(226, 214, 186));
    painter.setBrush(body);
    painter.setPen(QPen(QColor(120, 104, 80), 1.5));
    painter.drawRoundedRect(QRectF(5, 5, 51, 51), 10, 10);

    // Five pips.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 30, 70));
    const double r = 5.0;
    const QPointF pips[] = { { 18, 18 }, { 43, 18 }, { 30.5, 30.5 }, { 18, 43 }, { 43, 43 } };
    for (const QPointF& centre : pips)
        painter.drawEllipse(centre, r, r);
    painter.end();

    if (!image.save(QString::fromLocal8Bit(argv[1]), "PNG"))
        return 1;
    if (argc == 3) {
        // Clear where the program draws the picture transparent: its pure white pixels.
        QImage icon = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < icon.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(icon.scanLine(y));
            for (int x = 0; x < icon.width(); ++x)
                if ((line[x] & 0x00FFFFFFu) == 0x00FFFFFFu)
                    line[x] = 0;
        }
        if (!icon.save(QString::fromLocal8Bit(argv[2]), "PNG"))
            return 1;
    }
    return 0;
}
