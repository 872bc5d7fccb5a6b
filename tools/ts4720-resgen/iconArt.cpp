// Icons drawn pixel-exact where they are tiny.
#include "iconArt.h"

#include "artPalette.h"

#include <QPainter>
#include <QPainterPath>

// A miniature of the instrument: blue label block and yellow connectors on a grey front,
// with a green LED. Blue, white, grey, yellow, green: five colours, no smoothing.
QImage drawWindowIcon()
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.fillRect(0, 2, 16, 12, art::makerBlue());
    p.fillRect(1, 3, 14, 10, art::panelGrey());
    p.fillRect(2, 4, 4, 4, art::makerBlue());
    p.fillRect(3, 10, 2, 2, art::ledGreen());
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col)
            p.fillRect(7 + col * 3, 5 + row * 4, 2, 2, art::connectorYellow());
    return image;
}

static QImage transparentCanvas(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

static void drawTriangle(QPainter &p, qreal left, qreal right)
{
    QPainterPath path;
    path.moveTo(left, 1);
    path.lineTo(right, 6);
    path.lineTo(left, 11);
    path.closeSubpath();
    p.setPen(QPen(QColor(0x0c, 0x6b, 0x1c), 0.8));
    p.setBrush(QColor(0x2e, 0xb8, 0x3e));
    p.drawPath(path);
}

QImage drawStartIcon()
{
    QImage image = transparentCanvas(12, 12);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawTriangle(p, 2, 11);
    return image;
}

QImage drawStopIcon()
{
    QImage image = transparentCanvas(12, 12);
    QPainter p(&image);
    p.fillRect(1, 1, 10, 10, QColor(0x5a, 0x00, 0x00));
    p.fillRect(2, 2, 8, 8, QColor(0x9b, 0x0e, 0x0e));
    return image;
}

QImage drawStartContIcon()
{
    QImage image = transparentCanvas(12, 12);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawTriangle(p, 0.5, 6.5);
    drawTriangle(p, 5.5, 11.5);
    return image;
}

// The usual What's This pointer: an arrow with a question mark beside it.
QImage drawWhatsThisArrow()
{
    QImage image = transparentCanvas(20, 17);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(1.5, 1.5);
    arrow.lineTo(1.5, 13.5);
    arrow.lineTo(4.5, 10.5);
    arrow.lineTo(6.8, 15.5);
    arrow.lineTo(8.6, 14.7);
    arrow.lineTo(6.4, 9.8);
    arrow.lineTo(10.5, 9.8);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::white, 1.2));
    p.setBrush(Qt::black);
    p.drawPath(arrow);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(13);
    f.setBold(true);
    p.setFont(f);
    p.setPen(art::makerBlue());
    p.drawText(QRectF(10, 0, 10, 16), Qt::AlignCenter, QStringLiteral("?"));
    return image;
}
